#pragma once

#include <QObject>

#include <atomic>
#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>

// A blocking hand-over of calls from a worker thread to the thread of a receiving
// QObject (the interface thread). The worker waits until the call has run; an error
// the call raises is raised again on the worker.
//
// A plain blocking queued call deadlocks when the interface thread itself waits for
// the worker. Here the interface thread can serve pending calls while it waits
// (ServeUntil), so stopping a worker that is blocked in a hand-over ends promptly.
class THandOver
{
public:
    explicit THandOver(QObject* Receiver);

    // Worker side: runs Call on the receiver's thread and waits for it.
    void Call(std::function<void()> Call);

    // Interface side: runs the pending call, if any.
    void ServePending();

    // Interface side: serves calls until Finished() returns true. Finished is
    // tested after every served call and whenever Wake() is called.
    void ServeUntil(const std::function<bool()>& Finished);

    // Wakes a waiting ServeUntil so that it tests its condition again.
    void Wake();

private:
    QObject* FReceiver;
    std::mutex FLock;
    std::condition_variable FSignal;
    std::function<void()> FPending;
    std::exception_ptr FError;
    quint64 FPosted = 0;
    quint64 FServed = 0;
    std::atomic<quint64> FServedCount{0}; // FServed, readable without the lock
};

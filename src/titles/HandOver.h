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
//
// A run hands over a call for every line it reads and writes, thousands a second, and
// waking the sleeping interface thread for each one would cost more than the work
// between them. So once the event loop has served a call, it stays to serve the calls
// that follow closely, for a short slice at most, and only then goes back to its other
// events; while it stays, the worker posts no event for its calls.
class THandOver
{
public:
    explicit THandOver(QObject* Receiver);

    // Worker side: runs Call on the receiver's thread and waits for it.
    void Call(std::function<void()> Call);

    // Interface side: runs the pending call, if any. Returns whether there was one.
    bool ServePending();

    // Interface side: serves calls until Finished() returns true. Finished is
    // tested after every served call and whenever Wake() is called.
    void ServeUntil(const std::function<bool()>& Finished);

    // Wakes a waiting ServeUntil so that it tests its condition again.
    void Wake();

    // Interface side: whether the calling thread is inside a call it is serving (event
    // loops nested in that call included). The worker waits for that call to return,
    // so nothing running inside it may wait for the worker.
    bool Serving() const { return FServingDepth > 0; }

private:
    // Interface side, from the event loop: serves the pending call and those that
    // follow closely, then hands the thread back to its event loop.
    void ServeBurst();
    void PostNudge();

    QObject* FReceiver;
    std::mutex FLock;
    std::condition_variable FSignal;
    std::function<void()> FPending;
    std::exception_ptr FError;
    bool FListening = false; // the interface thread is in a burst: no event needed
    int FServingDepth = 0;   // interface thread only: calls being served, nested ones counted
    // Calls posted and served so far: changed under FLock, read without it by whoever spins.
    std::atomic<quint64> FPosted{0};
    std::atomic<quint64> FServed{0};
};

#pragma once

#include <QObject>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

class QSocketNotifier;

// A blocking hand-over of calls from a worker thread to the thread of a receiving
// QObject (the interface thread). The worker waits until the call has run; an error
// the call raises is raised again on the worker.
//
// A plain blocking queued call deadlocks when the interface thread itself waits for
// the worker. Here the interface thread can serve pending calls while it waits
// (ServeUntilClosed), so stopping a worker that is blocked in a hand-over ends promptly.
//
// The interface thread never spins: between calls it sleeps in its event loop, which
// the worker wakes through a descriptor of its own (no allocation on the worker, and an
// ordering that thread checkers can see). Once the event loop has served a call it
// sleeps a short while on a condition for the next one, which saves waking the whole
// event loop for each of the thousands of calls of a run, and then gives the loop its
// turn. Calls whose result the worker does not need at once can be queued and are handed
// over in batches, one wake-up for hundreds of calls.
class THandOver
{
public:
    // Made on the receiver's thread, which serves the calls.
    explicit THandOver(QObject* Receiver);
    ~THandOver();

    THandOver(const THandOver&) = delete;
    THandOver& operator=(const THandOver&) = delete;

    // Worker side: runs the queued calls and then Call on the receiver's thread, and
    // waits for them.
    void Call(std::function<void()> Call);
    // Worker side: Call runs on the receiver's thread, after the calls queued before it
    // and before any call handed over after it, at the latest with the next Call or
    // Flush. When many calls wait, or the first has waited long, they are flushed here.
    // An error of a queued call is raised on the worker by the flush that served it;
    // the calls queued after the failing one are dropped.
    void Queue(std::function<void()> Call);
    // Worker side: hands the queued calls over and waits until they have run.
    void Flush();
    // Worker side, its last step: no more calls follow (queued ones are dropped). Wakes
    // the interface thread, which then calls OnClosed.
    void Close();

    // Interface side: serves calls until the worker has closed the hand-over. Whatever
    // the worker did before Close is visible to the caller afterwards.
    void ServeUntilClosed();
    // Interface side: whether the calling thread is inside a call it is serving (event
    // loops nested in that call included). The worker waits for that call to return,
    // so nothing running inside it may wait for the worker.
    bool Serving() const { return FServingDepth > 0; }

    // Called once on the receiver's thread after Close: from its event loop, or from
    // ServeUntilClosed when that sees the close first. It must not free the hand-over.
    std::function<void()> OnClosed;

private:
    using TCalls = std::vector<std::function<void()>>;

    // Interface side, from the event loop: serves the pending calls and those that
    // follow closely, then hands the thread back to its event loop.
    void ServeBurst();
    // Interface side: runs the pending calls; returns how many it took.
    std::size_t ServeCalls();
    // Worker side, under FLock: hands the queued calls over and waits for them.
    void HandOver(std::unique_lock<std::mutex>& Lock);
    // Under FLock: wakes the interface thread wherever it waits.
    void WakeReceiver();
    // Interface side, without FLock.
    void ReportClosed();

    int FWakeUp = -1; // event descriptor that wakes the receiver's event loop
    std::unique_ptr<QSocketNotifier> FNotifier;
    std::mutex FLock;
    std::condition_variable FPosted; // the interface thread waits for calls on it
    std::condition_variable FServed; // the worker waits for its calls on it
    TCalls FQueued;                  // worker side, not yet handed over
    TCalls FPending;                 // handed over, not yet taken by the interface thread
    std::chrono::steady_clock::time_point FFirstQueued;
    std::exception_ptr FError;
    unsigned long long FPostedCount = 0;            // hand-overs made
    std::atomic<unsigned long long> FServedCount{0}; // hand-overs served: changed under FLock, also read without it
    bool FListening = false;             // the interface thread waits on FPosted
    bool FClosed = false;
    bool FClosedReported = false; // interface thread only
    int FServingDepth = 0;        // interface thread only: calls being served, nested ones counted
};

#include "HandOver.h"

#include <QMetaObject>

#include <algorithm>
#include <chrono>
#include <thread>

namespace {

using TClock = std::chrono::steady_clock;

// How long the worker waits for a short handler without sleeping.
constexpr auto WorkerSpin = std::chrono::microseconds(50);
// How long the interface thread waits for the next call of a burst: longer than the
// work a run does between two calls (writing one title), shorter than anything a user sees.
constexpr auto ListenForNextCall = std::chrono::microseconds(250);
// The longest burst, after which the event loop gets its turn (painting, input, timers).
constexpr auto LongestBurst = std::chrono::milliseconds(2);

} // namespace

THandOver::THandOver(QObject* Receiver)
    : FReceiver(Receiver)
{
}

void THandOver::Call(std::function<void()> Call)
{
    std::unique_lock<std::mutex> Lock(FLock);
    FPending = std::move(Call);
    FError = nullptr;
    const quint64 Ticket = ++FPosted;
    // The queued call is only a nudge: whoever serves first (the event loop, a burst or
    // a waiting ServeUntil) runs the pending call; a late nudge finds nothing to do.
    if (!FListening)
        PostNudge();
    FSignal.notify_all();
    // Most handlers are short: wait a moment without sleeping, which spares the worker a
    // wake-up per hand-over, then sleep until the call has run.
    Lock.unlock();
    const auto SpinUntil = TClock::now() + WorkerSpin;
    while (FServed.load() < Ticket && TClock::now() < SpinUntil)
        std::this_thread::yield();
    Lock.lock();
    FSignal.wait(Lock, [&] { return FServed >= Ticket; });
    if (std::exception_ptr Error = std::exchange(FError, nullptr))
        std::rethrow_exception(Error);
}

void THandOver::PostNudge()
{
    QMetaObject::invokeMethod(FReceiver, [this] { ServeBurst(); }, Qt::QueuedConnection);
}

bool THandOver::ServePending()
{
    std::function<void()> Call;
    {
        std::lock_guard<std::mutex> Lock(FLock);
        if (!FPending)
            return false;
        Call = std::move(FPending);
        FPending = nullptr;
    }
    std::exception_ptr Error;
    ++FServingDepth;
    try {
        Call();
    } catch (...) {
        Error = std::current_exception();
    }
    --FServingDepth;
    std::lock_guard<std::mutex> Lock(FLock);
    FError = Error;
    ++FServed;
    FSignal.notify_all();
    return true;
}

void THandOver::ServeBurst()
{
    const auto BurstEnd = TClock::now() + LongestBurst;
    while (ServePending()) {
        {
            std::lock_guard<std::mutex> Lock(FLock);
            FListening = true;
        }
        const auto ListenEnd = std::min(TClock::now() + ListenForNextCall, BurstEnd);
        while (FPosted.load() == FServed.load() && TClock::now() < ListenEnd)
            std::this_thread::yield();
        std::lock_guard<std::mutex> Lock(FLock);
        FListening = false;
        // A call posted while listening came without a nudge: serve it now, or, when the
        // slice is used up, post its nudge so the event loop gets its turn first.
        if (!FPending)
            return;
        if (TClock::now() >= BurstEnd) {
            PostNudge();
            return;
        }
    }
}

void THandOver::ServeUntil(const std::function<bool()>& Finished)
{
    using namespace std::chrono_literals;
    for (;;) {
        ServePending();
        if (Finished())
            return;
        std::unique_lock<std::mutex> Lock(FLock);
        // The timeout only guards against a wake-up lost between the test and the wait.
        FSignal.wait_for(Lock, 20ms, [&] { return FPending != nullptr; });
    }
}

void THandOver::Wake()
{
    std::lock_guard<std::mutex> Lock(FLock);
    FSignal.notify_all();
}

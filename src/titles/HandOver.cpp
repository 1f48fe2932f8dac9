#include "HandOver.h"

#include <QMetaObject>

#include <chrono>
#include <thread>

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
    // The queued call is only a nudge: whoever serves first (the event loop or a
    // waiting ServeUntil) runs the pending call; a late nudge finds nothing to do.
    QMetaObject::invokeMethod(FReceiver, [this] { ServePending(); }, Qt::QueuedConnection);
    FSignal.notify_all();
    // Most handlers are short: wait a moment without sleeping, which spares the worker a
    // wake-up per hand-over, then sleep until the call has run.
    Lock.unlock();
    const auto SpinUntil = std::chrono::steady_clock::now() + std::chrono::microseconds(50);
    while (FServedCount.load(std::memory_order_acquire) < Ticket && std::chrono::steady_clock::now() < SpinUntil)
        std::this_thread::yield();
    Lock.lock();
    FSignal.wait(Lock, [&] { return FServed >= Ticket; });
    if (std::exception_ptr Error = std::exchange(FError, nullptr))
        std::rethrow_exception(Error);
}

void THandOver::ServePending()
{
    std::function<void()> Call;
    {
        std::lock_guard<std::mutex> Lock(FLock);
        if (!FPending)
            return;
        Call = std::move(FPending);
        FPending = nullptr;
    }
    std::exception_ptr Error;
    try {
        Call();
    } catch (...) {
        Error = std::current_exception();
    }
    std::lock_guard<std::mutex> Lock(FLock);
    FError = Error;
    ++FServed;
    FServedCount.store(FServed, std::memory_order_release);
    FSignal.notify_all();
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

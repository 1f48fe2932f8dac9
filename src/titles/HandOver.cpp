#include "HandOver.h"

#include "model/OSError.h"

#include <QSocketNotifier>
#include <QThread>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <sys/eventfd.h>
#include <thread>
#include <unistd.h>

namespace {

using TClock = std::chrono::steady_clock;

// How long the worker waits awake for the answer to a call before it sleeps: a little
// longer than the interface thread takes to wake and run a short handler.
constexpr auto WorkerStaysAwake = std::chrono::microseconds(40);
// How long the interface thread sleeps on the condition for the next call of a burst
// before it goes back to its event loop: longer than the work a run does between two
// calls (writing one title), shorter than anything a user sees.
constexpr auto ListenForNextCall = std::chrono::milliseconds(1);
// The longest burst, after which the event loop gets its turn (painting, input, timers).
constexpr auto LongestBurst = std::chrono::milliseconds(2);
// Queued calls are handed over when this many wait, or when the first has waited this
// long, so that the interface still follows a slow producer.
constexpr std::size_t MostQueued = 256;
constexpr auto LongestQueueWait = std::chrono::milliseconds(50);

} // namespace

THandOver::THandOver(QObject* Receiver)
{
    Q_ASSERT(Receiver->thread() == QThread::currentThread());
    FWakeUp = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (FWakeUp < 0)
        throw EOSError(QStringLiteral("无法创建线程间的唤醒通道：%1。").arg(QString::fromLocal8Bit(std::strerror(errno))));
    FNotifier = std::make_unique<QSocketNotifier>(FWakeUp, QSocketNotifier::Read);
    QObject::connect(FNotifier.get(), &QSocketNotifier::activated, Receiver, [this] { ServeBurst(); });
}

THandOver::~THandOver()
{
    FNotifier.reset();
    ::close(FWakeUp);
}

void THandOver::Call(std::function<void()> Call)
{
    std::unique_lock<std::mutex> Lock(FLock);
    FQueued.push_back(std::move(Call));
    HandOver(Lock);
}

void THandOver::Queue(std::function<void()> Call)
{
    std::unique_lock<std::mutex> Lock(FLock);
    const TClock::time_point Now = TClock::now();
    if (FQueued.empty())
        FFirstQueued = Now;
    FQueued.push_back(std::move(Call));
    if (FQueued.size() >= MostQueued || Now - FFirstQueued >= LongestQueueWait)
        HandOver(Lock);
}

void THandOver::Flush()
{
    std::unique_lock<std::mutex> Lock(FLock);
    HandOver(Lock);
}

void THandOver::Close()
{
    std::lock_guard<std::mutex> Lock(FLock);
    FQueued.clear();
    FClosed = true;
    WakeReceiver();
}

void THandOver::HandOver(std::unique_lock<std::mutex>& Lock)
{
    if (FQueued.empty())
        return;
    FPending = std::move(FQueued);
    FQueued.clear();
    FError = nullptr;
    const unsigned long long Ticket = ++FPostedCount;
    WakeReceiver();
    // Falling asleep and being woken again for each of thousands of short calls costs the
    // worker more than the calls themselves (most of all on a virtual machine); it waits
    // awake for a moment first. Only the worker's own core is kept busy meanwhile.
    Lock.unlock();
    const TClock::time_point AwakeUntil = TClock::now() + WorkerStaysAwake;
    while (FServedCount.load(std::memory_order_acquire) < Ticket && TClock::now() < AwakeUntil)
        std::this_thread::yield();
    Lock.lock();
    FServed.wait(Lock, [&] { return FServedCount.load() >= Ticket; });
    if (std::exception_ptr Error = std::exchange(FError, nullptr))
        std::rethrow_exception(Error);
}

void THandOver::WakeReceiver()
{
    FPosted.notify_all();
    if (FListening)
        return;
    const std::uint64_t One = 1;
    // Only fails when the counter would overflow, and then the loop is awake anyway.
    [[maybe_unused]] const ssize_t Written = ::write(FWakeUp, &One, sizeof One);
}

std::size_t THandOver::ServeCalls()
{
    TCalls Calls;
    {
        std::lock_guard<std::mutex> Lock(FLock);
        if (FPending.empty())
            return 0;
        Calls.swap(FPending);
    }
    const std::size_t Count = Calls.size();
    std::exception_ptr Error;
    ++FServingDepth;
    for (std::function<void()>& Call : Calls) {
        try {
            Call();
        } catch (...) {
            Error = std::current_exception();
            break;
        }
    }
    --FServingDepth;
    // Freed here, before the worker goes on: they may refer to what it owns.
    Calls.clear();
    std::lock_guard<std::mutex> Lock(FLock);
    FError = Error;
    ++FServedCount;
    FServed.notify_all();
    return Count;
}

void THandOver::ServeBurst()
{
    std::uint64_t Count = 0;
    [[maybe_unused]] const ssize_t Read = ::read(FWakeUp, &Count, sizeof Count);
    const TClock::time_point BurstEnd = TClock::now() + LongestBurst;
    for (;;) {
        const std::size_t Served = ServeCalls();
        std::unique_lock<std::mutex> Lock(FLock);
        if (FClosed)
            break;
        // After a batch the event loop gets its turn at once, so that what the calls
        // posted (a stop, a repaint) comes before the worker's next calls.
        if (Served != 1 || TClock::now() >= BurstEnd)
            return;
        FListening = true;
        FPosted.wait_until(Lock, std::min(TClock::now() + ListenForNextCall, BurstEnd),
                           [this] { return !FPending.empty() || FClosed; });
        FListening = false;
        if (FPending.empty() && !FClosed)
            return; // the worker is busy for longer: its next call wakes the event loop
        if (!FPending.empty() && TClock::now() >= BurstEnd) {
            // This call came without a wake-up of the event loop, which gets its turn first.
            const std::uint64_t One = 1;
            [[maybe_unused]] const ssize_t Written = ::write(FWakeUp, &One, sizeof One);
            return;
        }
    }
    ReportClosed();
}

void THandOver::ReportClosed()
{
    if (FClosedReported)
        return;
    FClosedReported = true;
    if (OnClosed)
        OnClosed();
}

void THandOver::ServeUntilClosed()
{
    for (;;) {
        ServeCalls();
        std::unique_lock<std::mutex> Lock(FLock);
        if (FClosed && FPending.empty()) {
            Lock.unlock();
            ReportClosed();
            return;
        }
        FListening = true;
        FPosted.wait(Lock, [this] { return !FPending.empty() || FClosed; });
        FListening = false;
    }
}

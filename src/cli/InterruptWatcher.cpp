#include "InterruptWatcher.h"

#include "model/Error.h"

#include <QSocketNotifier>

#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

int InterruptPipe[2] = {-1, -1};
volatile std::sig_atomic_t Raised = 0;
struct sigaction PreviousInterrupt;
struct sigaction PreviousTerminate;
sigset_t PreviousMask;

void OnSignal(int)
{
    Raised = 1;
    const char Byte = 1;
    // Nothing else is safe in a signal handler; a full pipe just drops the extra signal.
    [[maybe_unused]] const ssize_t Written = ::write(InterruptPipe[1], &Byte, 1);
}

} // namespace

TInterruptWatcher::TInterruptWatcher(std::function<void()> OnInterrupt, QObject* Parent)
    : QObject(Parent)
    , FOnInterrupt(std::move(OnInterrupt))
{
    if (::pipe2(InterruptPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        throw EError(QStringLiteral("无法安装中断处理：%1。").arg(QString::fromLocal8Bit(std::strerror(errno))));
    FNotifier = std::make_unique<QSocketNotifier>(InterruptPipe[0], QSocketNotifier::Read);
    connect(FNotifier.get(), &QSocketNotifier::activated, this, [this] {
        char Buffer[16];
        while (::read(InterruptPipe[0], Buffer, sizeof Buffer) > 0) {
        }
        FOnInterrupt();
    });
    struct sigaction Action = {};
    Action.sa_handler = OnSignal;
    sigemptyset(&Action.sa_mask);
    Action.sa_flags = SA_RESTART;
    Raised = 0;
    ::sigaction(SIGINT, &Action, &PreviousInterrupt);
    ::sigaction(SIGTERM, &Action, &PreviousTerminate);
    sigset_t Signals;
    sigemptyset(&Signals);
    sigaddset(&Signals, SIGINT);
    sigaddset(&Signals, SIGTERM);
    ::pthread_sigmask(SIG_UNBLOCK, &Signals, &PreviousMask);
}

TInterruptWatcher::~TInterruptWatcher()
{
    // Blocked again first where they were, so that none arrives between the two steps
    // and meets the default action.
    ::pthread_sigmask(SIG_SETMASK, &PreviousMask, nullptr);
    ::sigaction(SIGINT, &PreviousInterrupt, nullptr);
    ::sigaction(SIGTERM, &PreviousTerminate, nullptr);
    FNotifier.reset();
    ::close(InterruptPipe[0]);
    ::close(InterruptPipe[1]);
    InterruptPipe[0] = InterruptPipe[1] = -1;
}

bool TInterruptWatcher::Interrupted() const
{
    return Raised != 0;
}

#include "InterruptWatcher.h"

#include "model/Error.h"

#include <QSocketNotifier>

#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

int InterruptPipe[2] = {-1, -1};
struct sigaction PreviousInterrupt;
struct sigaction PreviousTerminate;

void OnSignal(int)
{
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
    ::sigaction(SIGINT, &Action, &PreviousInterrupt);
    ::sigaction(SIGTERM, &Action, &PreviousTerminate);
}

TInterruptWatcher::~TInterruptWatcher()
{
    ::sigaction(SIGINT, &PreviousInterrupt, nullptr);
    ::sigaction(SIGTERM, &PreviousTerminate, nullptr);
    FNotifier.reset();
    ::close(InterruptPipe[0]);
    ::close(InterruptPipe[1]);
    InterruptPipe[0] = InterruptPipe[1] = -1;
}

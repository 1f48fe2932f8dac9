#pragma once

#include <QObject>

#include <functional>
#include <memory>

class QSocketNotifier;

// Turns Ctrl+C (SIGINT) and SIGTERM into a call on the event loop's thread. The signal
// handler only writes to a pipe; the call itself runs outside signal context.
// One watcher may exist at a time; the previous handlers come back when it is destroyed.
class TInterruptWatcher : public QObject
{
    Q_OBJECT

public:
    explicit TInterruptWatcher(std::function<void()> OnInterrupt, QObject* Parent = nullptr);
    ~TInterruptWatcher() override;

private:
    std::function<void()> FOnInterrupt;
    std::unique_ptr<QSocketNotifier> FNotifier;
};

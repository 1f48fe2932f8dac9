#pragma once

#include <QObject>

#include <functional>
#include <memory>

class QSocketNotifier;

// Turns Ctrl+C (SIGINT) and SIGTERM into a call on the event loop's thread. The signal
// handler only notes the signal and writes to a pipe; the call itself runs outside
// signal context, from the event loop. The two signals are unblocked for the thread
// that creates the watcher, so one sent while they were still blocked arrives now.
// One watcher may exist at a time; the previous handlers and signal mask come back when
// it is destroyed.
class TInterruptWatcher : public QObject
{
    Q_OBJECT

public:
    explicit TInterruptWatcher(std::function<void()> OnInterrupt, QObject* Parent = nullptr);
    ~TInterruptWatcher() override;

    // Whether a signal has arrived since the watcher was made, known at once, before the
    // event loop has run the call.
    bool Interrupted() const;

private:
    std::function<void()> FOnInterrupt;
    std::unique_ptr<QSocketNotifier> FNotifier;
};

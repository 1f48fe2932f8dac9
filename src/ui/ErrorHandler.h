#pragma once

#include <QString>

#include <functional>
#include <utility>

class QWidget;

// The one general error handler. Qt does not carry exceptions through its event loop
// (one escaping a slot ends the program), so every command, button, menu action,
// dialog answer and queued call runs through Run: an exception ends the command and its
// message is shown in an error box captioned with the application title. EAbort ends a
// command silently.
class TErrorHandler
{
public:
    // Runs Command; returns whether it ran to its end. Never throws.
    static bool Run(QWidget* Parent, const std::function<void()>& Command) noexcept;

    // A callable for connect() that runs Command through Run. Signal arguments are not
    // passed on; a slot that needs them calls Run itself.
    template <class F>
    static auto Guard(QWidget* Parent, F Command)
    {
        return [Parent, Command = std::move(Command)] { Run(Parent, Command); };
    }

    // Shows the current exception (call inside a catch block): its message in an error
    // box, nothing for EAbort. Never throws.
    static void ShowCurrentException(QWidget* Parent) noexcept;

    // The user-readable message of the exception in flight (inside a catch block).
    static QString CurrentMessage();
};

#pragma once

#include <QDBusConnection>
#include <QString>

class QWidget;

// Requests to the desktop about a file: open it with its associated program, or show it
// selected in the file manager.
class TDesktopServices
{
public:
    // A file manager started by D-Bus activation needs a moment before it answers; one that
    // has not answered by then is taken as absent.
    static constexpr int FileManagerTimeout = 5000;

    // Opens the file with the program the desktop associates with its type. Raises EError
    // naming the file when it does not exist or no program takes it.
    static void OpenFile(const QString& Path);

    // Asks the desktop's file manager (org.freedesktop.FileManager1 over D-Bus) to show the
    // file selected in its folder, and returns without waiting for the answer: a file
    // manager that is slow or hangs never holds up the window. When it answers with an
    // error (no such service included) or not within Timeout milliseconds, the folder is
    // opened with its associated program instead, and a failure to open it is shown in an
    // error box over Parent. Without a bus, or when the file is gone, the folder is opened
    // at once; a failure then raises EError naming the folder.
    static void ShowInFileManager(const QString& Path, QWidget* Parent,
                                  const QDBusConnection& Bus = QDBusConnection::sessionBus(),
                                  int Timeout = FileManagerTimeout);
};

#pragma once

#include <QDBusConnection>
#include <QString>

// Requests to the desktop about a file: open it with its associated program, or show it
// selected in the file manager.
class TDesktopServices
{
public:
    // Opens the file with the program the desktop associates with its type. Raises EError
    // naming the file when it does not exist or no program takes it.
    static void OpenFile(const QString& Path);

    // Asks the desktop's file manager (org.freedesktop.FileManager1 over D-Bus) to show the
    // file selected in its folder. When no file manager answers — no bus, no such service,
    // an error, no reply within a few seconds — or the file is gone, the folder is opened
    // with its associated program instead; raises EError naming the folder when that fails.
    static void ShowInFileManager(const QString& Path, const QDBusConnection& Bus = QDBusConnection::sessionBus());
};

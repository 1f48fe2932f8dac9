#pragma once

#include "UrlRecorder.h"

#include <QDBusConnection>
#include <QDBusContext>
#include <QDesktopServices>
#include <QFile>
#include <QMutex>
#include <QMutexLocker>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <QUrl>

// A file manager on a test's private bus that records what it is asked to show. It
// lives in a thread of its own, because a request blocks the thread that sends it.
class TFakeFileManager : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.FileManager1")

public:
    bool Fail = false;
    // Takes the request and never answers, like a file manager that hangs.
    bool Hang = false;

    QList<QStringList> Requests() const
    {
        QMutexLocker Lock(&FLock);
        return FRequests;
    }

public slots:
    void ShowItems(const QStringList& Uris, const QString&)
    {
        {
            QMutexLocker Lock(&FLock);
            FRequests.append(Uris);
        }
        if (Hang)
            setDelayedReply(true);
        else if (Fail)
            sendErrorReply(QDBusError::Failed, QStringLiteral("cannot show the items"));
    }

private:
    mutable QMutex FLock;
    QList<QStringList> FRequests;
};

// A D-Bus daemon of the test's own that activates no services, so no real file manager
// can answer; the fake file manager is connected to it as "file manager" and its
// object registered. The desktop's "file" URLs go to Desktop meanwhile.
class TPrivateSessionBus
{
public:
    static inline const QString FileManagerService = QStringLiteral("org.freedesktop.FileManager1");
    static inline const QString FileManagerPath = QStringLiteral("/org/freedesktop/FileManager1");
    static inline const QString FileManagerConnection = QStringLiteral("file manager");

    TFakeFileManager FileManager;
    TUrlRecorder Desktop;

    TPrivateSessionBus() { QDesktopServices::setUrlHandler(QStringLiteral("file"), &Desktop, "openUrl"); }

    ~TPrivateSessionBus()
    {
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        if (FDaemon.state() == QProcess::NotRunning)
            return;
        QDBusConnection::disconnectFromBus(FileManagerConnection);
        FFileManagerThread.quit();
        FFileManagerThread.wait();
        FDaemon.terminate();
        FDaemon.waitForFinished();
    }

    // The bus's address; empty when dbus-daemon is not installed.
    QString Start()
    {
        const QString Daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
        if (Daemon.isEmpty())
            return QString();
        QFile Config(FFolder.filePath(QStringLiteral("bus.conf")));
        if (!Config.open(QIODevice::WriteOnly))
            return QString();
        Config.write(QStringLiteral(
            "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
            " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
            "<busconfig><type>session</type><listen>unix:dir=%1</listen><auth>EXTERNAL</auth>\n"
            "<policy context=\"default\"><allow send_destination=\"*\"/><allow receive_sender=\"*\"/><allow own=\"*\"/></policy></busconfig>\n")
                         .arg(FFolder.path()).toUtf8());
        Config.close();
        FDaemon.start(Daemon, {QStringLiteral("--config-file=") + Config.fileName(), QStringLiteral("--nofork"),
                               QStringLiteral("--print-address=1")});
        if (!FDaemon.waitForStarted())
            return QString();
        while (!FDaemon.canReadLine())
            if (!FDaemon.waitForReadyRead(10000))
                return QString();
        const QString Address = QString::fromUtf8(FDaemon.readLine()).trimmed();
        QDBusConnection Service = QDBusConnection::connectToBus(Address, FileManagerConnection);
        if (!Service.isConnected())
            return QString();
        FileManager.moveToThread(&FFileManagerThread);
        FFileManagerThread.start();
        if (!Service.registerObject(FileManagerPath, &FileManager, QDBusConnection::ExportAllSlots))
            return QString();
        return Address;
    }

private:
    QTemporaryDir FFolder;
    QProcess FDaemon;
    QThread FFileManagerThread;
};

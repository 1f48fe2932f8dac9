#include "ui/DesktopServices.h"

#include "model/Error.h"

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QDesktopServices>
#include <QFile>
#include <QMutex>
#include <QMutexLocker>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QUrl>

namespace {

const QString FileManagerService = QStringLiteral("org.freedesktop.FileManager1");
const QString FileManagerPath = QStringLiteral("/org/freedesktop/FileManager1");

enum class TFileManager
{
    Absent,
    Answers,
    Fails,
};

} // namespace

Q_DECLARE_METATYPE(TFileManager)

// A file manager on the test's private bus. It lives in a thread of its own, because the
// request blocks the thread that sends it.
class TFakeFileManager : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.FileManager1")

public:
    bool Fail = false;

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
        if (Fail)
            sendErrorReply(QDBusError::Failed, QStringLiteral("cannot show the items"));
    }

private:
    mutable QMutex FLock;
    QList<QStringList> FRequests;
};

// Takes the "file" URLs that would go to the desktop.
class TUrlRecorder : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> Urls;

public slots:
    void openUrl(const QUrl& Url) { Urls.append(Url); }
};

class TestDesktopServices : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        const QString Daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
        if (Daemon.isEmpty())
            QSKIP("dbus-daemon is not installed");
        // A bus of our own that activates no services, so no real file manager can answer.
        QFile Config(FBusFolder.filePath("bus.conf"));
        QVERIFY(Config.open(QIODevice::WriteOnly));
        Config.write(QStringLiteral(
            "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
            " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
            "<busconfig><type>session</type><listen>unix:dir=%1</listen><auth>EXTERNAL</auth>\n"
            "<policy context=\"default\"><allow send_destination=\"*\"/><allow receive_sender=\"*\"/><allow own=\"*\"/></policy></busconfig>\n")
                         .arg(FBusFolder.path()).toUtf8());
        Config.close();
        FDaemon.start(Daemon, {QStringLiteral("--config-file=") + Config.fileName(), QStringLiteral("--nofork"),
                               QStringLiteral("--print-address=1")});
        QVERIFY(FDaemon.waitForStarted());
        while (!FDaemon.canReadLine())
            QVERIFY2(FDaemon.waitForReadyRead(10000), qPrintable(FDaemon.readAllStandardError()));
        const QString Address = QString::fromUtf8(FDaemon.readLine()).trimmed();

        const QDBusConnection Caller = QDBusConnection::connectToBus(Address, QStringLiteral("caller"));
        QVERIFY(Caller.isConnected());
        QDBusConnection Service = QDBusConnection::connectToBus(Address, QStringLiteral("file manager"));
        QVERIFY(Service.isConnected());
        FFileManager.moveToThread(&FFileManagerThread);
        FFileManagerThread.start();
        QVERIFY(Service.registerObject(FileManagerPath, &FFileManager, QDBusConnection::ExportAllSlots));

        QDesktopServices::setUrlHandler(QStringLiteral("file"), &FDesktop, "openUrl");
    }

    void cleanupTestCase()
    {
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        QDBusConnection::disconnectFromBus(QStringLiteral("caller"));
        QDBusConnection::disconnectFromBus(QStringLiteral("file manager"));
        FFileManagerThread.quit();
        FFileManagerThread.wait();
        FDaemon.terminate();
        FDaemon.waitForFinished();
    }

    void showInFileManager_data()
    {
        QTest::addColumn<TFileManager>("FileManager");
        QTest::addColumn<bool>("Bus");
        QTest::addColumn<bool>("FileExists");
        QTest::addColumn<bool>("Selected");

        QTest::newRow("file manager shows the file") << TFileManager::Answers << true << true << true;
        QTest::newRow("file manager fails: folder") << TFileManager::Fails << true << true << false;
        QTest::newRow("no file manager: folder") << TFileManager::Absent << true << true << false;
        QTest::newRow("no bus: folder") << TFileManager::Answers << false << true << false;
        QTest::newRow("file gone: folder") << TFileManager::Answers << true << false << false;
    }

    void showInFileManager()
    {
        QFETCH(TFileManager, FileManager);
        QFETCH(bool, Bus);
        QFETCH(bool, FileExists);
        QFETCH(bool, Selected);

        QTemporaryDir Folder;
        const QString File = Folder.filePath(QStringLiteral("字幕 00001.etl"));
        if (FileExists) {
            QFile Title(File);
            QVERIFY(Title.open(QIODevice::WriteOnly));
        }
        QDBusConnection Service(QStringLiteral("file manager"));
        if (FileManager != TFileManager::Absent)
            QVERIFY(Service.registerService(FileManagerService));
        FFileManager.Fail = FileManager == TFileManager::Fails;
        const qsizetype RequestsBefore = FFileManager.Requests().size();
        FDesktop.Urls.clear();

        TDesktopServices::ShowInFileManager(File, Bus ? QDBusConnection(QStringLiteral("caller"))
                                                      : QDBusConnection(QStringLiteral("not connected")));
        if (FileManager != TFileManager::Absent)
            QVERIFY(Service.unregisterService(FileManagerService));

        const QList<QStringList> Requests = FFileManager.Requests().mid(RequestsBefore);
        if (Selected) {
            QCOMPARE(Requests.size(), 1);
            QCOMPARE(Requests[0].size(), 1);
            // A proper URI: percent-encoded, naming the file.
            QCOMPARE(Requests[0][0], QString::fromLatin1(QUrl::fromLocalFile(File).toEncoded()));
            QCOMPARE(QUrl(Requests[0][0]).toLocalFile(), File);
            QVERIFY(FDesktop.Urls.isEmpty());
        } else {
            QCOMPARE(FDesktop.Urls, QList<QUrl>{QUrl::fromLocalFile(Folder.path())});
        }
    }

    void showInFileManager_missingFolderNamesIt()
    {
        const QString Folder = QStringLiteral("/nonexistent/字幕");
        try {
            TDesktopServices::ShowInFileManager(Folder + QStringLiteral("/a.etl"), QDBusConnection(QStringLiteral("caller")));
            QFAIL("no error raised");
        } catch (const EError& Error) {
            QVERIFY2(Error.Message().contains(Folder), qPrintable(Error.Message()));
        }
    }

    void openFile()
    {
        QTemporaryDir Folder;
        const QString File = Folder.filePath(QStringLiteral("字幕 00001.etl"));
        QFile Title(File);
        QVERIFY(Title.open(QIODevice::WriteOnly));
        Title.close();
        FDesktop.Urls.clear();
        TDesktopServices::OpenFile(File);
        QCOMPARE(FDesktop.Urls, QList<QUrl>{QUrl::fromLocalFile(File)});
    }

    void openFile_failureNamesTheFile_data()
    {
        QTest::addColumn<bool>("FileExists");
        QTest::addColumn<bool>("Program");
        QTest::newRow("file gone") << false << true;
        // The offscreen platform opens nothing, like a desktop without an associated program.
        QTest::newRow("no program") << true << false;
    }

    void openFile_failureNamesTheFile()
    {
        QFETCH(bool, FileExists);
        QFETCH(bool, Program);
        QTemporaryDir Folder;
        const QString File = Folder.filePath(QStringLiteral("字幕 00002.etl"));
        if (FileExists) {
            QFile Title(File);
            QVERIFY(Title.open(QIODevice::WriteOnly));
        }
        if (!Program)
            QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        bool Raised = false;
        try {
            TDesktopServices::OpenFile(File);
        } catch (const EError& Error) {
            Raised = true;
            QVERIFY2(Error.Message().contains(File), qPrintable(Error.Message()));
        }
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &FDesktop, "openUrl");
        QVERIFY(Raised);
    }

private:
    QTemporaryDir FBusFolder;
    QProcess FDaemon;
    QThread FFileManagerThread;
    TFakeFileManager FFileManager;
    TUrlRecorder FDesktop;
};

QTEST_MAIN(TestDesktopServices)
#include "tst_desktopservices.moc"

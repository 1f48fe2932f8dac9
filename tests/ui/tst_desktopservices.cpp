#include "ui/DesktopServices.h"

#include "model/Error.h"

#include "PrivateSessionBus.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDesktopServices>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QUrl>
#include <QWidget>

namespace {

enum class TFileManager
{
    Absent,
    Answers,
    Fails,
    Hangs,
};

} // namespace

Q_DECLARE_METATYPE(TFileManager)

class TestDesktopServices : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        const QString Address = FBus.Start();
        if (Address.isEmpty())
            QSKIP("no private session bus (dbus-daemon missing)");
        QVERIFY(QDBusConnection::connectToBus(Address, QStringLiteral("caller")).isConnected());
    }

    void cleanupTestCase() { QDBusConnection::disconnectFromBus(QStringLiteral("caller")); }

    void showInFileManager_data()
    {
        QTest::addColumn<TFileManager>("FileManager");
        QTest::addColumn<bool>("Bus");
        QTest::addColumn<bool>("FileExists");
        QTest::addColumn<bool>("Selected");

        QTest::newRow("file manager shows the file") << TFileManager::Answers << true << true << true;
        QTest::newRow("file manager fails: folder") << TFileManager::Fails << true << true << false;
        QTest::newRow("file manager hangs: folder") << TFileManager::Hangs << true << true << false;
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
        QDBusConnection Service(TPrivateSessionBus::FileManagerConnection);
        if (FileManager != TFileManager::Absent)
            QVERIFY(Service.registerService(TPrivateSessionBus::FileManagerService));
        FFileManager.Fail = FileManager == TFileManager::Fails;
        FFileManager.Hang = FileManager == TFileManager::Hangs;
        const qsizetype RequestsBefore = FFileManager.Requests().size();
        FDesktop.Urls.clear();

        // A file manager that never answers is given up after a short while here; every
        // other one has the whole time.
        const bool Asks = Bus && FileExists;
        QWidget Parent;
        TDesktopServices::ShowInFileManager(
            File, &Parent,
            Bus ? QDBusConnection(QStringLiteral("caller")) : QDBusConnection(QStringLiteral("not connected")),
            FileManager == TFileManager::Hangs ? 300 : TDesktopServices::FileManagerTimeout);
        // The request does not wait for the file manager's answer.
        if (Asks)
            QVERIFY(FDesktop.Urls.isEmpty());
        // Until the answer (or its absence) has been dealt with.
        QTRY_VERIFY(!Parent.findChild<QDBusPendingCallWatcher*>());
        QTRY_COMPARE(FFileManager.Requests().size() - RequestsBefore,
                     qsizetype(Asks && FileManager != TFileManager::Absent ? 1 : 0));
        if (FileManager != TFileManager::Absent)
            QVERIFY(Service.unregisterService(TPrivateSessionBus::FileManagerService));

        const QList<QStringList> Requests = FFileManager.Requests().mid(RequestsBefore);
        if (Selected) {
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
            TDesktopServices::ShowInFileManager(Folder + QStringLiteral("/a.etl"), nullptr,
                                                QDBusConnection(QStringLiteral("caller")));
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
    TPrivateSessionBus FBus;
    TFakeFileManager& FFileManager = FBus.FileManager;
    TUrlRecorder& FDesktop = FBus.Desktop;
};

QTEST_MAIN(TestDesktopServices)
#include "tst_desktopservices.moc"
#include "moc_PrivateSessionBus.cpp"
#include "moc_UrlRecorder.cpp"

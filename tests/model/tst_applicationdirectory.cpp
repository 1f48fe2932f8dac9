#include "model/ApplicationDirectory.h"
#include "model/ProductInfo.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

void WriteDataFiles(const QString& Directory, const QStringList& Names)
{
    QDir().mkpath(Directory);
    for (const QString& Name : Names) {
        QFile File(Directory + QLatin1Char('/') + Name);
        QVERIFY(File.open(QIODevice::WriteOnly));
        File.write("<x/>");
    }
}

const QStringList BothFiles{QStringLiteral("TypeAttributes.xml"), QStringLiteral("NuvexSubtitleMaker.xml")};

} // namespace

class TestApplicationDirectory : public QObject
{
    Q_OBJECT

private slots:
    void applicationDirectory_data()
    {
        QTest::addColumn<bool>("DataBeside");
        QTest::addColumn<bool>("Writable");
        QTest::addColumn<bool>("BesideExecutable");

        QTest::newRow("build tree or portable copy") << true << true << true;
        QTest::newRow("portable copy on a read-only medium") << true << false << false;
        QTest::newRow("installed under a user's prefix") << false << true << false;
        QTest::newRow("installed under /usr") << false << false << false;
    }

    void applicationDirectory()
    {
        QFETCH(bool, DataBeside);
        QFETCH(bool, Writable);
        QFETCH(bool, BesideExecutable);
        const QString Executable = QStringLiteral("/opt/nuvex/bin");
        const QString User = QStringLiteral("/home/u/.local/share/nuvex-subtitle-maker");
        QCOMPARE(ChooseApplicationDirectory(Executable, DataBeside, Writable, User), BesideExecutable ? Executable : User);
    }

    void findDataDirectory_data()
    {
        QTest::addColumn<QStringList>("Beside");
        QTest::addColumn<QStringList>("Installed");
        QTest::addColumn<QString>("Expected");

        QTest::newRow("beside the executable") << BothFiles << BothFiles << "bin";
        QTest::newRow("installed share folder") << QStringList() << BothFiles << "share/nuvex-subtitle-maker";
        QTest::newRow("one file beside is not a data folder") << BothFiles.mid(0, 1) << BothFiles << "share/nuvex-subtitle-maker";
        QTest::newRow("nowhere: the executable's folder") << QStringList() << BothFiles.mid(1) << "bin";
    }

    void findDataDirectory()
    {
        QFETCH(QStringList, Beside);
        QFETCH(QStringList, Installed);
        QFETCH(QString, Expected);
        QTemporaryDir Prefix;
        WriteDataFiles(Prefix.filePath("bin"), Beside);
        WriteDataFiles(Prefix.filePath("share/nuvex-subtitle-maker"), Installed);
        QCOMPARE(FindDataDirectory(Prefix.filePath("bin")), Prefix.filePath(Expected));
    }

    void buildTree_keepsEverythingBesideTheExecutable()
    {
        const QString Executable = QCoreApplication::applicationDirPath();
        QCOMPARE(ExecutableDirectory(), Executable);
        QCOMPARE(DataDirectory(), Executable);
        QCOMPARE(ApplicationDirectory(), Executable);
    }

    void userDataDirectory_isTheApplicationsDataLocation()
    {
        QTemporaryDir Home;
        qputenv("XDG_DATA_HOME", QFile::encodeName(Home.path()));
        QCoreApplication::setApplicationName(TProductInfo::MachineName());
        QCOMPARE(UserDataDirectory(), Home.path() + QStringLiteral("/nuvex-subtitle-maker"));
        QCOMPARE(UserDataDirectory(), QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
        qunsetenv("XDG_DATA_HOME");
    }
};

QTEST_GUILESS_MAIN(TestApplicationDirectory)
#include "tst_applicationdirectory.moc"

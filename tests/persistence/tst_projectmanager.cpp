#include "persistence/ProjectManager.h"

#include "model/Error.h"
#include "model/Project.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

namespace {

QByteArray ReadFile(const QString& FileName)
{
    QFile File(FileName);
    return File.open(QIODevice::ReadOnly) ? File.readAll() : QByteArray();
}

// Counts the listener's calls.
struct TListener
{
    explicit TListener(TProjectManager& Manager)
    {
        Manager.SetOnChange([this](TProjectManager&) { ++Calls; });
    }
    int Calls = 0;
};

// A project with some items, so a save writes a few kilobytes.
void FillProject(TProject& Project, int Items)
{
    for (int Index = 0; Index < Items; ++Index)
        Project.AddDocumentItem(std::make_unique<TDocumentItem>())->SetSourceFileName(QStringLiteral("/docs/%1.txt").arg(Index));
}

// Limits the size of files this process may write, so a save fails part way.
class TFileSizeLimit
{
public:
    explicit TFileSizeLimit(rlim_t Bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &FPrevious);
        FPreviousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit Limit = FPrevious;
        Limit.rlim_cur = Bytes;
        ::setrlimit(RLIMIT_FSIZE, &Limit);
    }
    ~TFileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &FPrevious);
        std::signal(SIGXFSZ, FPreviousHandler);
    }

private:
    rlimit FPrevious{};
    void (*FPreviousHandler)(int);
};

} // namespace

class TestProjectManager : public QObject
{
    Q_OBJECT

private slots:
    void init() { ProjectManager().SetOnChange({}); }

    void newProject_replacesAndNotifiesOnce()
    {
        TProjectManager& Manager = ProjectManager();
        QCOMPARE(&Manager, &ProjectManager());
        Manager.NewProject(QStringLiteral("/somewhere/a.nvproj"));
        FillProject(Manager.GetActiveProject(), 3);
        TListener Listener(Manager);
        Manager.NewProject(QString());
        QCOMPARE(Listener.Calls, 1);
        QVERIFY(Manager.GetActiveProject().DocumentItems().empty());
        QCOMPARE(Manager.GetActiveProject().FileName(), QString());
    }

    void withoutProject_getActiveProjectRaises()
    {
        TProjectManager Manager;
        QVERIFY(Manager.ActiveProject() == nullptr);
        try {
            Manager.GetActiveProject();
            QFAIL("no error raised");
        } catch (const EError& Error) {
            QCOMPARE(Error.Message(), QStringLiteral("没有激活项目。"));
        }
        QVERIFY_THROWS_EXCEPTION(EError, Manager.SaveProject(QStringLiteral("/tmp/x.nvproj")));
    }

    void saveThenOpen_roundTripsAndRenames()
    {
        QTemporaryDir Temp;
        TProjectManager& Manager = ProjectManager();
        Manager.NewProject(QString());
        FillProject(Manager.GetActiveProject(), 2);
        TListener Listener(Manager);
        const QString FileName = Temp.filePath(QStringLiteral("Film project.nvproj"));
        Manager.SaveProject(FileName);
        QCOMPARE(Listener.Calls, 1);
        QCOMPARE(Manager.GetActiveProject().FileName(), FileName);

        Manager.NewProject(QString());
        Manager.OpenProject(FileName);
        QCOMPARE(Listener.Calls, 3);
        QCOMPARE(Manager.GetActiveProject().FileName(), FileName);
        QCOMPARE(Manager.GetActiveProject().DocumentItems().size(), std::size_t(2));
        QCOMPARE(Manager.GetActiveProject().DocumentItems()[1]->SourceFileName(), QStringLiteral("/docs/1.txt"));
    }

    void failedOpen_keepsProjectAndIsSilent_data()
    {
        QTest::addColumn<QByteArray>("Content");
        QTest::addColumn<bool>("Exists");
        QTest::newRow("missing file") << QByteArray() << false;
        QTest::newRow("not xml") << QByteArray("garbage") << true;
        QTest::newRow("no object element") << QByteArray("<Root/>") << true;
        QTest::newRow("bad value") << QByteArray("<Root><P><DocumentItems><item><BoxWidth>x</BoxWidth></item></DocumentItems></P></Root>") << true;
    }

    void failedOpen_keepsProjectAndIsSilent()
    {
        QFETCH(QByteArray, Content);
        QFETCH(bool, Exists);
        QTemporaryDir Temp;
        const QString FileName = Temp.filePath(QStringLiteral("broken.nvproj"));
        if (Exists) {
            QFile File(FileName);
            QVERIFY(File.open(QIODevice::WriteOnly));
            File.write(Content);
        }
        TProjectManager& Manager = ProjectManager();
        Manager.NewProject(QStringLiteral("current.nvproj"));
        FillProject(Manager.GetActiveProject(), 1);
        TProject* Before = Manager.ActiveProject();
        TListener Listener(Manager);
        try {
            Manager.OpenProject(FileName);
            QFAIL("no error raised");
        } catch (const EError& Error) {
            QVERIFY2(Error.Message().contains(FileName), qPrintable(Error.Message()));
        }
        QCOMPARE(Manager.ActiveProject(), Before);
        QCOMPARE(Before->FileName(), QStringLiteral("current.nvproj"));
        QCOMPARE(Before->DocumentItems().size(), std::size_t(1));
        QCOMPARE(Listener.Calls, 0);
    }

    void failedSave_keepsOldFileNameAndListener()
    {
        QTemporaryDir Temp;
        TProjectManager& Manager = ProjectManager();
        Manager.NewProject(QString());
        FillProject(Manager.GetActiveProject(), 1);
        const QString Target = Temp.filePath(QStringLiteral("p.nvproj"));
        Manager.SaveProject(Target);
        const QByteArray Saved = ReadFile(Target);

        // The folder of the next target is a regular file: nothing can be created there.
        QFile Blocker(Temp.filePath(QStringLiteral("blocked")));
        QVERIFY(Blocker.open(QIODevice::WriteOnly));
        Blocker.close();
        TListener Listener(Manager);
        QVERIFY_THROWS_EXCEPTION(EError, Manager.SaveProject(Temp.filePath(QStringLiteral("blocked/p.nvproj"))));
        QCOMPARE(Manager.GetActiveProject().FileName(), Target);
        QCOMPARE(Listener.Calls, 0);
        QCOMPARE(ReadFile(Target), Saved);
    }

    void writeFailingPartWay_leavesPreviousFileIntact()
    {
        QTemporaryDir Temp;
        TProjectManager& Manager = ProjectManager();
        Manager.NewProject(QString());
        FillProject(Manager.GetActiveProject(), 1);
        const QString Target = Temp.filePath(QStringLiteral("p.nvproj"));
        Manager.SaveProject(Target);
        const QByteArray Saved = ReadFile(Target);
        QVERIFY(Saved.size() > 1000);

        FillProject(Manager.GetActiveProject(), 50);
        TListener Listener(Manager);
        {
            // Writes stop after 1,000 bytes, as on a full disk.
            TFileSizeLimit Limit(1000);
            try {
                Manager.SaveProject(Target);
                QFAIL("no error raised");
            } catch (const EError& Error) {
                QVERIFY2(Error.Message().contains(Target), qPrintable(Error.Message()));
            }
        }
        QCOMPARE(ReadFile(Target), Saved);
        QCOMPARE(Listener.Calls, 0);
        QCOMPARE(QDir(Temp.path()).entryList(QDir::Files), QStringList{"p.nvproj"});
    }

    void folderThatBecomesUnwritable_keepsPreviousFile()
    {
        const QString Chattr = QStandardPaths::findExecutable(QStringLiteral("chattr"));
        if (Chattr.isEmpty())
            QSKIP("chattr is not available");
        QTemporaryDir Temp;
        const QString Folder = Temp.filePath(QStringLiteral("projects"));
        QVERIFY(QDir().mkpath(Folder));
        TProjectManager& Manager = ProjectManager();
        Manager.NewProject(QString());
        const QString Target = Folder + QStringLiteral("/p.nvproj");
        Manager.SaveProject(Target);
        const QByteArray Saved = ReadFile(Target);

        // Even root cannot create files in an immutable folder; plain permissions would
        // not stop root.
        if (QProcess::execute(Chattr, {QStringLiteral("+i"), Folder}) != 0)
            QSKIP("the file system does not support immutable folders");
        FillProject(Manager.GetActiveProject(), 2);
        bool Failed = false;
        try {
            Manager.SaveProject(Target);
        } catch (const EError&) {
            Failed = true;
        }
        QProcess::execute(Chattr, {QStringLiteral("-i"), Folder});
        QVERIFY(Failed);
        QCOMPARE(ReadFile(Target), Saved);
    }
};

QTEST_GUILESS_MAIN(TestProjectManager)
#include "tst_projectmanager.moc"

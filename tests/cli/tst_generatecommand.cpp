#include "cli/GenerateCommand.h"
#include "cli/NewProjectCommand.h"

#include "model/DocumentItem.h"
#include "model/Project.h"
#include "persistence/ProjectManager.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <csignal>
#include <cstdio>
#include <memory>
#include <optional>
#include <unistd.h>

namespace {

QString WriteLines(const QString& FileName, int Count)
{
    QFile File(FileName);
    if (!File.open(QIODevice::WriteOnly))
        return {};
    for (int Line = 1; Line <= Count; ++Line)
        File.write(QStringLiteral("字幕 %1 with a few words\r\n").arg(Line).toUtf8());
    return FileName;
}

QByteArray Contents(const QString& FileName)
{
    QFile File(FileName);
    return File.open(QIODevice::ReadOnly) ? File.readAll() : QByteArray();
}

int TitleCount(const QString& Folder)
{
    return int(QDir(Folder).entryList({QStringLiteral("*.etl")}, QDir::Files).size());
}

struct TFileCloser
{
    void operator()(std::FILE* File) const { std::fclose(File); }
};

// SIGINT blocked for this thread while it lives, the way a signal that comes before the
// command has started waits for it.
class TBlockedInterrupt
{
public:
    TBlockedInterrupt()
    {
        sigset_t Interrupt;
        sigemptyset(&Interrupt);
        sigaddset(&Interrupt, SIGINT);
        ::pthread_sigmask(SIG_BLOCK, &Interrupt, &FPrevious);
    }
    ~TBlockedInterrupt() { ::pthread_sigmask(SIG_SETMASK, &FPrevious, nullptr); }

private:
    sigset_t FPrevious;
};

} // namespace

// The "generate" command in this process: the run with its interrupt, as the tool runs
// it, without starting the tool.
class TestGenerateCommand : public QObject
{
    Q_OBJECT

private slots:
    void generate_data()
    {
        QTest::addColumn<QString>("Interrupt");
        QTest::addColumn<int>("Lines");
        QTest::addColumn<bool>("DocumentThere");
        QTest::addColumn<int>("ExitCode");
        QTest::addColumn<QString>("Message");

        QTest::newRow("runs to its end") << "none" << 30 << true << 0 << "操作成功.";
        QTest::newRow("document missing") << "none" << 30 << false << 1 << "Film.txt";
        QTest::newRow("Ctrl+C while titles are written")
            << "while writing" << 3000 << true << 1 << "生成已中止：已写入的字幕文件和记录已保存。";
        QTest::newRow("Ctrl+C before the run has started")
            << "before the run" << 30 << true << 1 << "生成已中止：尚未写入字幕文件。";
    }

    void generate()
    {
        QFETCH(QString, Interrupt);
        QFETCH(int, Lines);
        QFETCH(bool, DocumentThere);
        QFETCH(int, ExitCode);
        QFETCH(QString, Message);
        QTemporaryDir Temp;
        const QString Document = WriteLines(Temp.filePath(QStringLiteral("Film.txt")), Lines);
        const QString Project = Temp.filePath(QStringLiteral("film.nvproj"));
        const QString Titles = Temp.filePath(QStringLiteral("out"));
        TNewProjectCommand(Project, {Document}, {QStringLiteral("SubtitleDirectory=") + Titles}).Run();
        if (!DocumentThere)
            QVERIFY(QFile::remove(Document));
        const QByteArray Before = Contents(Project);

        // Pressed once titles are being written, from the event loop the command runs.
        QTimer Watch;
        Watch.setInterval(1);
        connect(&Watch, &QTimer::timeout, this, [&] {
            if (TitleCount(Titles) > 5) {
                Watch.stop();
                ::kill(::getpid(), SIGINT);
            }
        });
        if (Interrupt == QLatin1String("while writing"))
            Watch.start();
        std::optional<TBlockedInterrupt> Blocked;
        if (Interrupt == QLatin1String("before the run")) {
            Blocked.emplace();
            ::raise(SIGINT);
        }

        const std::unique_ptr<std::FILE, TFileCloser> Messages(std::tmpfile());
        QVERIFY(Messages);
        const int Exit = TGenerateCommand(Project, Messages.get()).Run();
        Blocked.reset();

        std::rewind(Messages.get());
        QByteArray Printed(1 << 16, '\0');
        Printed.truncate(qsizetype(std::fread(Printed.data(), 1, std::size_t(Printed.size()), Messages.get())));
        const QString Output = QString::fromUtf8(Printed);
        QCOMPARE(Exit, ExitCode);
        QVERIFY2(Output.trimmed().section(QLatin1Char('\n'), -1).contains(Message), qPrintable(Output));

        // Every title written has its record in the saved project, and only those.
        const int Written = TitleCount(Titles);
        if (Interrupt == QLatin1String("before the run")) {
            QCOMPARE(Written, 0);
            QCOMPARE(Contents(Project), Before);
        } else {
            ProjectManager().OpenProject(Project);
            const TDocumentItem& Item = *ProjectManager().GetActiveProject().DocumentItems().front();
            QCOMPARE(int(Item.ImmutableSubtitleItems().size()), Written);
        }
        if (Interrupt == QLatin1String("while writing"))
            QVERIFY2(Written > 5 && Written < Lines, qPrintable(QString::number(Written)));
        else if (DocumentThere && ExitCode == 0)
            QCOMPARE(Written, Lines);
    }
};

QTEST_MAIN(TestGenerateCommand)
#include "tst_generatecommand.moc"

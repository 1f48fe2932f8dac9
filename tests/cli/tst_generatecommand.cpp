#include "cli/GenerateCommand.h"
#include "cli/NewProjectCommand.h"

#include "model/DocumentItem.h"
#include "model/Project.h"
#include "persistence/ProjectManager.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
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

// What the command printed to Messages.
QString Printed(std::FILE* Messages)
{
    std::rewind(Messages);
    QByteArray Bytes(1 << 16, '\0');
    Bytes.truncate(qsizetype(std::fread(Bytes.data(), 1, std::size_t(Bytes.size()), Messages)));
    return QString::fromUtf8(Bytes);
}

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

        const QString Output = Printed(Messages.get());
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

    // A font that is not installed is named once before the run, however many documents
    // use it, and the titles are written all the same. The summary at the end counts the
    // titles, the subtitles cut into several and the titles with a line wider than the
    // box, naming the first few.
    void namesMissingFontsAndSumsUpTheTitles()
    {
        QTemporaryDir Temp;
        const QString Titles = Temp.filePath(QStringLiteral("out"));
        QVERIFY(QDir().mkpath(Titles));
        QStringList Film;
        for (int Number = 1; Number <= 7; ++Number)
            Film << QStringLiteral("www.example.com/%1/an/address/that/no/rule/breaks").arg(Number);
        Film << QStringLiteral("one two three four five six seven eight nine ten") << QStringLiteral("short");
        const auto Write = [&](const QString& Name, const QStringList& Lines) {
            QFile File(Temp.filePath(Name));
            return File.open(QIODevice::WriteOnly) && File.write(Lines.join(QStringLiteral("\r\n")).toUtf8()) > 0
                ? File.fileName()
                : QString();
        };
        const QString Project = Temp.filePath(QStringLiteral("film.nvproj"));
        const QString Missing = QStringLiteral("Nuvex Font That Is Not There");
        TNewProjectCommand(Project,
                           {Write(QStringLiteral("Film.txt"), Film), Write(QStringLiteral("Trailer.txt"), {"short"}),
                            Write(QStringLiteral("Credits.txt"), {"short"})},
                           {QStringLiteral("SubtitleDirectory=") + Titles + QStringLiteral("/{SourceFileName}"),
                            QStringLiteral("FontName=") + Missing, QStringLiteral("FontSize=24"),
                            QStringLiteral("BoxWidth=300"), QStringLiteral("LineMaximum=1")})
            .Run();
        ProjectManager().OpenProject(Project);
        ProjectManager().GetActiveProject().DocumentItems()[2]->SetFontName(QStringLiteral("Noto Sans CJK SC"));
        ProjectManager().SaveProject(Project);

        const std::unique_ptr<std::FILE, TFileCloser> Messages(std::tmpfile());
        QVERIFY(Messages);
        QCOMPARE(TGenerateCommand(Project, Messages.get()).Run(), 0);
        const QStringList Output = Printed(Messages.get()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);

        const QStringList Warnings = Output.filter(QStringLiteral("警告"));
        QCOMPARE(Warnings.size(), 1);
        QVERIFY2(Warnings.first().startsWith(QStringLiteral("警告：")) && Warnings.first().contains(Missing),
                 qPrintable(Warnings.first()));
        QCOMPARE(Output.indexOf(Warnings.first()), 0);

        int Written = 0;
        for (const char* Folder : {"/Film", "/Trailer", "/Credits"})
            Written += TitleCount(Titles + QLatin1String(Folder));
        QVERIFY2(Written > 7 + 2 + 1 + 1 + 1, qPrintable(QString::number(Written)));
        const qsizetype Summary = Output.indexOf(
            QStringLiteral("已写入 %1 个字幕文件；1 条字幕分成了多个字幕文件；7 个字幕文件有超出文本框宽度的行。").arg(Written));
        QVERIFY2(Summary >= 0, qPrintable(Output.join(QLatin1Char('\n'))));
        QCOMPARE(Output.size(), Summary + 1 + 5 + 1 + 1);
        const QRegularExpression Named(QStringLiteral("^  (.+)：行宽 (\\d+) 像素，文本框 300 像素$"));
        for (int Number = 1; Number <= 5; ++Number) {
            const QRegularExpressionMatch Match = Named.match(Output[Summary + Number]);
            QVERIFY2(Match.hasMatch(), qPrintable(Output[Summary + Number]));
            QCOMPARE(Match.captured(1), Titles + QStringLiteral("/Film/Title0000%1.etl").arg(Number));
            QVERIFY(Match.captured(2).toInt() > 300);
        }
        QCOMPARE(Output[Summary + 6], QStringLiteral("  ……另有 2 个"));
        QCOMPARE(Output.last(), QStringLiteral("操作成功."));
    }
};

QTEST_MAIN(TestGenerateCommand)
#include "tst_generatecommand.moc"

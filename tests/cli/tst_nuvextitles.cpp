#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

namespace {

struct TResult
{
    int ExitCode = -1;
    QString Output;
    QString Errors;
};

QString Tool()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/nuvex-titles");
}

TResult RunTool(const QStringList& Arguments, const QProcessEnvironment& Environment = QProcessEnvironment::systemEnvironment())
{
    QProcess Process;
    Process.setProcessEnvironment(Environment);
    Process.start(Tool(), Arguments);
    TResult Result;
    if (!Process.waitForFinished(120000))
        return Result;
    Result.ExitCode = Process.exitStatus() == QProcess::NormalExit ? Process.exitCode() : -1;
    Result.Output = QString::fromUtf8(Process.readAllStandardOutput());
    Result.Errors = QString::fromUtf8(Process.readAllStandardError());
    return Result;
}

QString WriteLines(const QString& FileName, int Count, const QString& Prefix)
{
    QFile File(FileName);
    if (!File.open(QIODevice::WriteOnly))
        return {};
    for (int Line = 1; Line <= Count; ++Line)
        File.write(QStringLiteral("%1 %2 字幕\r\n").arg(Prefix).arg(Line).toUtf8());
    return FileName;
}

} // namespace

class TestNuvexTitles : public QObject
{
    Q_OBJECT

private slots:
    void versionAndHelp()
    {
        const TResult Version = RunTool({QStringLiteral("--version")});
        QCOMPARE(Version.ExitCode, 0);
        QVERIFY(Version.Output.contains(QStringLiteral("1.0")));
        const TResult Help = RunTool({QStringLiteral("--help")});
        QCOMPARE(Help.ExitCode, 0);
        QVERIFY(Help.Output.contains(QStringLiteral("generate")));
        QCOMPARE(RunTool({QStringLiteral("frobnicate")}).ExitCode, 1);
    }

    void newThenGenerate_writesTitlesAndRecords()
    {
        QTemporaryDir Temp;
        const QString First = WriteLines(Temp.filePath("Film.txt"), 3, "first");
        const QString Second = WriteLines(Temp.filePath("Trailer.txt"), 2, "second");
        const QString Project = Temp.filePath("batch.nvproj");
        const TResult Created = RunTool({"new", Project, First, Second, "--set",
                                         "SubtitleDirectory=" + Temp.path() + "/{SourceFileName}", "--set",
                                         "subtitlefilename=Sub_{0}.txt", "--set", "SourceLineIncrement=2"});
        QVERIFY2(Created.ExitCode == 0, qPrintable(Created.Errors));
        QVERIFY(QFile::exists(Project));

        const TResult Generated = RunTool({"generate", Project});
        QVERIFY2(Generated.ExitCode == 0, qPrintable(Generated.Errors));
        QCOMPARE(QDir(Temp.filePath("Film")).entryList({"*.etl"}, QDir::Files, QDir::Name),
                 QStringList({"Sub_00001.etl", "Sub_00002.etl"}));
        QCOMPARE(QDir(Temp.filePath("Trailer")).entryList({"*.etl"}, QDir::Files, QDir::Name),
                 QStringList({"Sub_00001.etl"}));

        QFile Saved(Project);
        QVERIFY(Saved.open(QIODevice::ReadOnly));
        const QString Xml = QString::fromUtf8(Saved.readAll());
        QVERIFY(Xml.contains(QStringLiteral("TImmutableSubtitleItem[2]")));
        QVERIFY(Xml.contains(QStringLiteral("TImmutableSubtitleItem[1]")));
        QVERIFY(Xml.contains(QStringLiteral("<SubtitleFileName xsi:type=\"NS7:TFileName\">Sub_00002.etl</SubtitleFileName>"))
                || Xml.contains(QStringLiteral(">Sub_00002.etl<")));
    }

    void newRefusesInvalidValues_data()
    {
        QTest::addColumn<QString>("Assignment");
        QTest::addColumn<QString>("Message");
        QTest::newRow("validation") << "LineMaximum=0" << "The LineMaximum's value must be greater than 0.";
        QTest::newRow("box wider than frame") << "BoxWidth=5000" << "The BoxWidth property's value must be less than the VideoWidth property's value.";
        QTest::newRow("conversion") << "FontSize=big" << "''big'' is not a valid integer value";
        QTest::newRow("enumeration") << "BoxAlign=middle" << "Invalid property element: middle";
        QTest::newRow("unknown property") << "Colour=1" << "Colour";
        QTest::newRow("no equals sign") << "FontSize" << "FontSize";
    }

    void newRefusesInvalidValues()
    {
        QFETCH(QString, Assignment);
        QFETCH(QString, Message);
        QTemporaryDir Temp;
        const QString Document = WriteLines(Temp.filePath("a.txt"), 1, "x");
        const QString Project = Temp.filePath("p.nvproj");
        const TResult Result = RunTool({"new", Project, Document, "--set", Assignment});
        QCOMPARE(Result.ExitCode, 1);
        QVERIFY2(Result.Errors.contains(Message), qPrintable(Result.Errors));
        QVERIFY(!QFile::exists(Project));
    }

    void linesPrintsWhatTheReaderDelivers()
    {
        const TResult Result = RunTool({"lines", QStringLiteral(NUVEX_TEST_DATA_DIR "/documents/movie.sub")});
        QCOMPARE(Result.ExitCode, 0);
        QCOMPARE(Result.Output, QStringLiteral("23.976\nHello World\n{y:i}Italic line\n{50}Only one\nno braces\n\n"));
        // Outside a login session (cron, ssh) nothing but the lines is printed either.
        QProcessEnvironment WithoutSession = QProcessEnvironment::systemEnvironment();
        WithoutSession.remove(QStringLiteral("XDG_RUNTIME_DIR"));
        const TResult Batch = RunTool({"lines", QStringLiteral(NUVEX_TEST_DATA_DIR "/documents/movie.sub")}, WithoutSession);
        QCOMPARE(Batch.ExitCode, 0);
        QCOMPARE(Batch.Errors, QString());
        QCOMPARE(Batch.Output, Result.Output);
        const TResult Missing = RunTool({"lines", QStringLiteral("/nonexistent/file.txt")});
        QCOMPARE(Missing.ExitCode, 1);
        QVERIFY(Missing.Errors.contains(QStringLiteral("file.txt")));
    }

    void generateOfMissingProjectFails()
    {
        const TResult Result = RunTool({"generate", QStringLiteral("/nonexistent/project.nvproj")});
        QCOMPARE(Result.ExitCode, 1);
        QVERIFY2(Result.Errors.contains(QStringLiteral("project.nvproj")), qPrintable(Result.Errors));
    }

    void interruptStopsTheRunAndKeepsRecords()
    {
        QTemporaryDir Temp;
        const QString Document = WriteLines(Temp.filePath("Long.txt"), 20000, "a fairly long subtitle line number");
        const QString Project = Temp.filePath("long.nvproj");
        QCOMPARE(RunTool({"new", Project, Document, "--set", "SubtitleDirectory=" + Temp.path() + "/out"}).ExitCode, 0);

        QProcess Process;
        Process.start(Tool(), {"generate", Project});
        QVERIFY(Process.waitForStarted());
        // Wait until titles are being written, then press Ctrl+C.
        QTRY_VERIFY_WITH_TIMEOUT(QDir(Temp.filePath("out")).entryList({"*.etl"}).size() > 5, 60000);
        ::kill(pid_t(Process.processId()), SIGINT);
        QVERIFY(Process.waitForFinished(60000));
        QCOMPARE(Process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(Process.exitCode(), 1);
        const int Written = QDir(Temp.filePath("out")).entryList({"*.etl"}).size();
        QVERIFY(Written < 20000);

        QFile Saved(Project);
        QVERIFY(Saved.open(QIODevice::ReadOnly));
        QVERIFY(Saved.readAll().contains(QStringLiteral("TImmutableSubtitleItem[%1]").arg(Written).toUtf8()));
    }

    // Ctrl+C pressed as the tool starts, before it has got to the project: sent while
    // the signal is still blocked, so that it waits for the tool's own handling instead
    // of racing the start. The tool stops in order without opening the project, which
    // is why the one named here need not exist.
    void interruptBeforeTheProjectOpensEndsInOrder()
    {
        QTemporaryDir Temp;
        QProcess Process;
        Process.start(QStringLiteral("perl"),
                      {"-MPOSIX", "-e", "sigprocmask(SIG_BLOCK, POSIX::SigSet->new(SIGINT)); kill('INT', $$); exec(@ARGV) or die",
                       Tool(), "generate", Temp.filePath("missing.nvproj")});
        QVERIFY(Process.waitForFinished(120000));
        QCOMPARE(Process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(Process.exitCode(), 1);
        QCOMPARE(QString::fromUtf8(Process.readAllStandardError()).trimmed(), QStringLiteral("生成已中止：尚未写入字幕文件。"));
    }
};

QTEST_GUILESS_MAIN(TestNuvexTitles)
#include "tst_nuvextitles.moc"

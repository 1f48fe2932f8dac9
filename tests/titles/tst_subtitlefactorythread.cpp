#include "titles/SubtitleFactoryThread.h"
#include "titles/SubtitleItemFactory.h"

#include "model/ApplicationDirectory.h"
#include "model/DocumentItem.h"
#include "model/Error.h"

#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QPointer>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>
#include <optional>
#include <vector>

namespace {

struct TEvent
{
    QString Name;
    qint32 Total;
    qint32 Position;
    bool operator==(const TEvent&) const = default;
};

QString WriteText(const QString& FileName, const QStringList& Lines)
{
    QFile File(FileName);
    if (!File.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return QString();
    File.write(Lines.join(QStringLiteral("\r\n")).toUtf8());
    return FileName;
}

// A document item with settings that fit every test line on one title.
std::unique_ptr<TDocumentItem> MakeItem(const QString& Source, const QString& Directory, const QString& Pattern,
                                        qint32 Increment = 1)
{
    auto Item = std::make_unique<TDocumentItem>();
    Item->SetSourceFileName(Source);
    Item->SetSubtitleDirectory(Directory);
    Item->SetSubtitleFileName(Pattern);
    Item->SetSourceLineIncrement(Increment);
    Item->SetFontName(QStringLiteral("Liberation Sans"));
    Item->SetFontSize(24);
    Item->SetVideoWidth(1920);
    Item->SetVideoHeight(1080);
    Item->SetBoxWidth(1800);
    Item->SetLineMaximum(2);
    Item->SetBoxAlign(taCenter);
    return Item;
}

// Runs the generation to its end on the test's (interface) thread and records the events.
class TRunRecorder
{
public:
    explicit TRunRecorder(std::vector<TDocumentItem*> Items)
        : Run(std::move(Items))
    {
        Run.OnDocumentsProgress = [this](qint32 Total, qint32 Position) { Events.push_back({"documents", Total, Position}); };
        Run.OnDocumentLoad = [this](qint32 Total, qint32 Position) { Events.push_back({"load", Total, Position}); };
        Run.OnSubtitleProgress = [this](qint32 Total, qint32 Position) { Events.push_back({"subtitle", Total, Position}); };
        Run.OnError = [this](const QString& Message) { Errors << Message; };
    }

    bool RunToEnd()
    {
        bool Ended = false;
        const QMetaObject::Connection Notice = QObject::connect(&Run, &TSubtitleFactoryThread::Ended, [&] { Ended = true; });
        Run.start();
        const bool Reached = QTest::qWaitFor([&] { return Ended; }, 60000);
        QObject::disconnect(Notice);
        return Reached;
    }

    std::vector<TEvent> EventsNamed(const QString& Name) const
    {
        std::vector<TEvent> Result;
        for (const TEvent& Event : Events)
            if (Event.Name == Name)
                Result.push_back(Event);
        return Result;
    }

    TSubtitleFactoryThread Run;
    std::vector<TEvent> Events;
    QStringList Errors;
};

QStringList RecordNames(const TDocumentItem& Item)
{
    QStringList Names;
    for (const auto& Record : Item.ImmutableSubtitleItems())
        Names << Record->SubtitleDirectory() + Record->SubtitleFileName();
    return Names;
}

} // namespace

class TestSubtitleFactoryThread : public QObject
{
    Q_OBJECT

private slots:
    void takesEveryKthLineAndSkipsBlankOnes()
    {
        QTemporaryDir Temp;
        const QString Source = WriteText(Temp.filePath("Film.txt"), {"one", "skipped", "   ", "skipped", "five", "six"});
        const QString Out = Temp.filePath("out/");
        QDir().mkpath(Out);
        auto Item = MakeItem(Source, Out, QStringLiteral("Sub_{0}"), 2);
        TRunRecorder Recorder({Item.get()});
        QVERIFY(Recorder.RunToEnd());

        QVERIFY2(Recorder.Errors.isEmpty(), qPrintable(Recorder.Errors.join('\n')));
        QVERIFY(Recorder.Run.Completed());
        QCOMPARE(RecordNames(*Item), QStringList({Out + "Sub_00001.etl", Out + "Sub_00002.etl"}));
        QVERIFY(QFile::exists(Out + "Sub_00001.etl"));
        QVERIFY(QFile::exists(Out + "Sub_00002.etl"));
        QCOMPARE(QDir(Out).entryList(QDir::Files).size(), 2);
        // Line 3 is taken but blank: no progress for it, and it uses no number.
        QCOMPARE(Recorder.EventsNamed("subtitle"),
                 (std::vector<TEvent>{{"subtitle", 6, 1}, {"subtitle", 6, 2}, {"subtitle", 6, 4}, {"subtitle", 6, 5}, {"subtitle", 6, 6}}));
        QCOMPARE(Recorder.EventsNamed("load").size(), std::size_t(6));
        QCOMPARE(Recorder.EventsNamed("documents"), (std::vector<TEvent>{{"documents", 1, 1}}));
        QCOMPARE(Item->SubtitleDirectory(), Out);
        QCOMPARE(Item->SubtitleFileName(), QStringLiteral("Sub_{0}"));
        // The item keeps the text of the last title written.
        QCOMPARE(Item->SubtitleContent(), QStringLiteral("five"));

        std::unique_ptr<TSubtitleItem> Read = TSubtitleItemFactory().ReadSubtitle(Out + "Sub_00002.etl");
        QCOMPARE(Read->SubtitleContent(), QStringLiteral("five"));
    }

    void namesTitlesByPattern_data()
    {
        QTest::addColumn<QString>("Pattern");
        QTest::addColumn<QStringList>("Files");
        QTest::addColumn<int>("Records");
        QTest::newRow("extension replaced") << "Sub_{0}.txt" << QStringList{"Sub_00001.etl", "Sub_00002.etl"} << 2;
        QTest::newRow("no placeholder overwrites") << "Same" << QStringList{"Same.etl"} << 2;
        QTest::newRow("placeholder twice") << "{0}-{0}" << QStringList{"00001-00001.etl", "00002-00002.etl"} << 2;
    }

    void namesTitlesByPattern()
    {
        QFETCH(QString, Pattern);
        QFETCH(QStringList, Files);
        QFETCH(int, Records);
        QTemporaryDir Temp;
        const QString Source = WriteText(Temp.filePath("a.txt"), {"first", "second"});
        auto Item = MakeItem(Source, Temp.path(), Pattern);
        TRunRecorder Recorder({Item.get()});
        QVERIFY(Recorder.RunToEnd());
        QVERIFY(Recorder.Errors.isEmpty());
        QStringList Written = QDir(Temp.path()).entryList({"*.etl"}, QDir::Files, QDir::Name);
        QCOMPARE(Written, Files);
        QCOMPARE(int(Item->ImmutableSubtitleItems().size()), Records);
    }

    void titlePath_data()
    {
        QTest::addColumn<QString>("Directory");
        QTest::addColumn<QString>("Pattern");
        QTest::addColumn<int>("Counter");
        QTest::addColumn<QString>("Path");
        QTest::newRow("five digits") << "/out/" << "Sub_{0}" << 1 << "/out/Sub_00001.etl";
        QTest::newRow("six digits") << "/out/" << "Sub_{0}" << 100000 << "/out/Sub_100000.etl";
        QTest::newRow("last five-digit") << "" << "Sub_{0}.txt" << 99999 << "Sub_99999.etl";
        QTest::newRow("dot in folder only") << "/a.b/" << "T{0}" << 7 << "/a.b/T00007.etl";
        QTest::newRow("two dots") << "" << "x.y.{0}" << 3 << "x.y.etl";
    }

    void titlePath()
    {
        QFETCH(QString, Directory);
        QFETCH(QString, Pattern);
        QFETCH(int, Counter);
        QFETCH(QString, Path);
        QCOMPARE(TSubtitleFactoryThread::TitlePath(Directory, Pattern, Counter), Path);
    }

    void resolvesApplicationDirectoryAndSourceName()
    {
        QTemporaryDir Temp;
        const QString BaseName = QStringLiteral("Film_%1").arg(QRandomGenerator::global()->generate());
        const QString Source = WriteText(Temp.filePath(BaseName + ".part.txt"), {"hello"});
        auto Item = MakeItem(Source, QStringLiteral("  {AppDir}/{SourceFileName}  "), QStringLiteral("T{0}"));
        const QString Expected = ApplicationDirectory() + "/" + BaseName + ".part/";
        TRunRecorder Recorder({Item.get()});
        QVERIFY(Recorder.RunToEnd());
        QVERIFY2(Recorder.Errors.isEmpty(), qPrintable(Recorder.Errors.join('\n')));
        QCOMPARE(RecordNames(*Item), QStringList{Expected + "T00001.etl"});
        QVERIFY(QFile::exists(Expected + "T00001.etl"));
        QDir(Expected).removeRecursively();
    }

    void itemsWithoutLineStepAreLeftAlone()
    {
        QTemporaryDir Temp;
        const QString Source = WriteText(Temp.filePath("a.txt"), {"first"});
        auto Item = MakeItem(Source, Temp.path(), QStringLiteral("T{0}"), 0);
        Item->AddImmutableSubtitleItem(std::make_unique<TImmutableSubtitleItem>());
        TRunRecorder Recorder({Item.get()});
        QVERIFY(Recorder.RunToEnd());
        QVERIFY(Recorder.Events.empty());
        QCOMPARE(Item->ImmutableSubtitleItems().size(), std::size_t(1));
        QVERIFY(QDir(Temp.path()).entryList({"*.etl"}).isEmpty());
    }

    void missingParentStopsRunAndKeepsEarlierTitles()
    {
        QTemporaryDir Temp;
        const QString Source = WriteText(Temp.filePath("a.txt"), {"first", "second"});
        auto Good = MakeItem(Source, Temp.filePath("good"), QStringLiteral("T{0}"));
        const QString Bad = Temp.filePath("missing/child");
        auto Broken = MakeItem(Source, Bad, QStringLiteral("T{0}"));
        TRunRecorder Recorder({Good.get(), Broken.get()});
        QVERIFY(Recorder.RunToEnd());

        QCOMPARE(Recorder.Errors.size(), 1);
        QVERIFY2(Recorder.Errors[0].startsWith(QStringLiteral("无效的目录名称 '%1'.\r\n").arg(Bad)), qPrintable(Recorder.Errors[0]));
        QVERIFY(Recorder.Errors[0].size() > QStringLiteral("无效的目录名称 '%1'.\r\n").arg(Bad).size());
        QVERIFY(!Recorder.Run.Completed());
        QCOMPARE(Good->ImmutableSubtitleItems().size(), std::size_t(2));
        QVERIFY(QFile::exists(Temp.filePath("good/T00002.etl")));
        QVERIFY(Broken->ImmutableSubtitleItems().empty());
        QCOMPARE(Recorder.EventsNamed("documents"), (std::vector<TEvent>{{"documents", 2, 1}}));
        QCOMPARE(Broken->SubtitleDirectory(), Bad);
    }

    void errorInHandlerEndsTheRun()
    {
        QTemporaryDir Temp;
        const QString Source = WriteText(Temp.filePath("a.txt"), {"first", "second", "third"});
        auto Item = MakeItem(Source, Temp.path(), QStringLiteral("T{0}"));
        TRunRecorder Recorder({Item.get()});
        std::vector<qint32> Reported;
        Recorder.Run.OnSubtitleProgress = [&](qint32, qint32 Position) {
            Reported.push_back(Position);
            if (Position == 2)
                throw EError(QStringLiteral("handler failed"));
        };
        QVERIFY(Recorder.RunToEnd());
        QCOMPARE(Recorder.Errors, QStringList{"handler failed"});
        QCOMPARE(Reported, (std::vector<qint32>{1, 2}));
        QVERIFY(Recorder.EventsNamed("documents").empty());
        QVERIFY(!Recorder.Run.Completed());
    }

    void stopDuringLoadWritesNothingForTheDocument()
    {
        QTemporaryDir Temp;
        QStringList Lines;
        for (int Index = 0; Index < 5000; ++Index)
            Lines << QStringLiteral("line %1").arg(Index);
        const QString Source = WriteText(Temp.filePath("long.txt"), Lines);
        auto Item = MakeItem(Source, Temp.path(), QStringLiteral("T{0}"));
        Item->AddImmutableSubtitleItem(std::make_unique<TImmutableSubtitleItem>());
        TRunRecorder Recorder({Item.get()});
        Recorder.Run.OnDocumentLoad = [&](qint32, qint32 Position) {
            if (Position == 10)
                QTimer::singleShot(0, [&] { Recorder.Run.Stop(); });
        };
        QVERIFY(Recorder.RunToEnd());
        QVERIFY(!Recorder.Run.Completed());
        QVERIFY(Item->ImmutableSubtitleItems().empty());
        QVERIFY(QDir(Temp.path()).entryList({"*.etl"}).isEmpty());
        QVERIFY(Recorder.EventsNamed("documents").empty());
    }

    void stopEndsPromptlyWhereverTheWorkerIs_data()
    {
        QTest::addColumn<int>("Round");
        for (int Round = 0; Round < 30; ++Round)
            QTest::newRow(qPrintable(QString::number(Round))) << Round;
    }

    void stopEndsPromptlyWhereverTheWorkerIs()
    {
        QFETCH(int, Round);
        QTemporaryDir Temp;
        QStringList Lines;
        for (int Index = 0; Index < 400; ++Index)
            Lines << QStringLiteral("subtitle number %1 with some words").arg(Index);
        const QString Source = WriteText(Temp.filePath("a.txt"), Lines);
        auto Item = MakeItem(Source, Temp.path(), QStringLiteral("T{0}"));
        TSubtitleFactoryThread Run({Item.get()});
        int Served = 0;
        // Slow handlers keep the worker blocked in hand-overs most of the time.
        Run.OnDocumentLoad = [&](qint32, qint32) { ++Served; };
        Run.OnSubtitleProgress = [&](qint32, qint32) {
            ++Served;
            QThread::usleep(200);
        };
        Run.start();
        // Stop at different moments: before loading, while loading, while writing, and
        // directly from the event loop while the worker waits in a hand-over.
        const int Delay = (Round * 7) % 40;
        QElapsedTimer Clock;
        Clock.start();
        if (Round % 3 == 0) {
            QTest::qWait(Delay);
            Run.Stop();
        } else {
            bool Stopped = false;
            QTimer::singleShot(Delay, [&] {
                Run.Stop();
                Stopped = true;
            });
            QTRY_VERIFY_WITH_TIMEOUT(Stopped, 20000);
        }
        QVERIFY(Run.isFinished());
        QVERIFY2(Clock.elapsed() < 20000, "stopping did not end promptly");
    }

    // A stop asked while the interface thread serves one of the run's calls (a handler
    // that stops, or a message box's event loop inside a handler) cannot wait for the
    // worker, which waits for that call: it must return, and the run end right after.
    void stopFromInsideAServedCallEndsOnceTheCallReturns_data()
    {
        QTest::addColumn<QString>("Way");
        for (int Round = 0; Round < 10; ++Round)
            for (const char* Way : {"handler", "nested loop", "dispose"})
                QTest::newRow(qPrintable(QStringLiteral("%1 %2").arg(Way).arg(Round))) << QString(Way);
    }

    void stopFromInsideAServedCallEndsOnceTheCallReturns()
    {
        QFETCH(QString, Way);
        QTemporaryDir Temp;
        QStringList Lines;
        for (int Index = 0; Index < 200; ++Index)
            Lines << QStringLiteral("subtitle number %1").arg(Index);
        const QString Source = WriteText(Temp.filePath("a.txt"), Lines);
        auto Item = MakeItem(Source, Temp.path(), QStringLiteral("T{0}"));
        auto Run = std::make_unique<TSubtitleFactoryThread>(std::vector<TDocumentItem*>{Item.get()});
        QPointer<TSubtitleFactoryThread> Watched(Run.get());
        int Ended = 0;
        QObject::connect(Run.get(), &TSubtitleFactoryThread::Ended, [&] { ++Ended; });
        std::optional<bool> Waited;
        Run->OnSubtitleProgress = [&](qint32, qint32 Position) {
            if (Position != 3)
                return;
            if (Way == "handler") {
                Waited = Run->Stop();
            } else if (Way == "nested loop") {
                QEventLoop Loop;
                QTimer::singleShot(5, [&] {
                    Waited = Run->Stop();
                    Loop.quit();
                });
                Loop.exec();
            } else {
                TSubtitleFactoryThread::Dispose(std::move(Run));
                Waited = false;
            }
        };
        Watched->start();
        QTRY_VERIFY_WITH_TIMEOUT(Ended == 1, 20000);
        QCOMPARE(Waited, std::optional<bool>(false));
        if (Way == "dispose") {
            QTRY_VERIFY_WITH_TIMEOUT(Watched.isNull(), 20000);
        } else {
            QVERIFY(!Run->Completed());
            QVERIFY(Run->Stop());
        }
        // The worker does not wait for each line's progress, so it may have gone on;
        // what was reported before the stop is kept.
        QVERIFY(Item->ImmutableSubtitleItems().size() >= 3);
    }
};

QTEST_MAIN(TestSubtitleFactoryThread)
#include "tst_subtitlefactorythread.moc"

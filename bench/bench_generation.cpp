// The whole generation run on a 10,000-line document: titles per second, and the
// ratio to writing the same bytes with plain file writes in the same process.
#include "model/DocumentItem.h"
#include "titles/SubtitleFactoryThread.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace {

const QStringList LatinWords{"the", "quick", "brown", "fox", "jumps", "over", "lazy", "dog", "subtitle",
                             "editor", "frame", "scene", "tonight", "remember", "everything", "why"};
const QStringList ChineseWords{"我们", "今天晚上", "一起", "去看", "电影", "你好", "世界", "字幕", "非常", "重要"};

QString WriteDocument(const QString& FileName)
{
    QRandomGenerator Random(20261209);
    QStringList Lines;
    for (int Line = 0; Line < 10000; ++Line) {
        const int Words = 4 + int(Random.bounded(17));
        QStringList Text;
        for (int Word = 0; Word < Words; ++Word) {
            const QStringList& Pool = Random.bounded(2) ? LatinWords : ChineseWords;
            Text << Pool[int(Random.bounded(qint64(Pool.size())))];
        }
        Lines << Text.join(QLatin1Char(' '));
    }
    QFile File(FileName);
    if (!File.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(FileName));
    File.write(Lines.join(QStringLiteral("\r\n")).toUtf8());
    return FileName;
}

// One generation run with every progress event handed over to this (interface) thread.
qint64 RunGeneration(TDocumentItem& Item, qint64& Titles)
{
    TSubtitleFactoryThread Run({&Item});
    qint64 Events = 0;
    Run.OnDocumentLoad = [&](qint32, qint32) { ++Events; };
    Run.OnSubtitleProgress = [&](qint32, qint32) { ++Events; };
    Run.OnDocumentsProgress = [&](qint32, qint32) { ++Events; };
    Run.OnError = [](const QString& Message) { qFatal("%s", qUtf8Printable(Message)); };
    QObject::connect(&Run, &QThread::finished, QCoreApplication::instance(), &QCoreApplication::quit, Qt::QueuedConnection);
    QElapsedTimer Clock;
    Clock.start();
    Run.start();
    QCoreApplication::exec();
    Run.wait();
    const qint64 Elapsed = Clock.nsecsElapsed();
    Titles = qint64(Item.ImmutableSubtitleItems().size());
    return Elapsed;
}

// Writes the bytes of every file under Directory again, one plain write per file.
qint64 PlainWrites(const QString& Directory, const QString& Target)
{
    std::vector<std::pair<QString, QByteArray>> Files;
    QDirIterator Iterator(Directory, {"*.etl"}, QDir::Files);
    while (Iterator.hasNext()) {
        const QString Path = Iterator.next();
        QFile File(Path);
        if (File.open(QIODevice::ReadOnly))
            Files.emplace_back(Target + QLatin1Char('/') + Iterator.fileName(), File.readAll());
    }
    QElapsedTimer Clock;
    Clock.start();
    for (const auto& [Path, Bytes] : Files) {
        QFile File(Path);
        if (!File.open(QIODevice::WriteOnly | QIODevice::Truncate) || File.write(Bytes) != Bytes.size())
            qFatal("cannot write %s", qPrintable(Path));
    }
    return Clock.nsecsElapsed();
}

void BM_GenerationRun(benchmark::State& State)
{
    QTemporaryDir Temp;
    const QString Source = WriteDocument(Temp.filePath(QStringLiteral("Film.txt")));
    double RunSeconds = 0;
    double PlainSeconds = 0;
    qint64 TitleCount = 0;
    int Round = 0;
    for (auto _ : State) {
        // Every round writes into new folders, as a first run for a document does; the
        // plain writes create their files anew as well.
        ++Round;
        const QString Titles = Temp.filePath(QStringLiteral("titles-%1").arg(Round));
        const QString Plain = Temp.filePath(QStringLiteral("plain-%1").arg(Round));
        QDir().mkpath(Plain);
        TDocumentItem Item;
        Item.SetSourceFileName(Source);
        Item.SetSourceLineIncrement(1);
        Item.SetSubtitleDirectory(Titles);
        Item.SetSubtitleFileName(QStringLiteral("Title{0}.etl"));
        Item.SetFontName(QStringLiteral("Liberation Sans"));
        Item.SetFontSize(48);
        Item.SetFontColor(0xFFFFFF);
        Item.SetEdge(true);
        Item.SetEdgeWidthHard(4);
        Item.SetVideoWidth(1920);
        Item.SetVideoHeight(1080);
        Item.SetBoxAlign(taCenter);
        Item.SetBoxAlignText(taCenter);
        Item.SetBoxWidth(1600);
        Item.SetBoxRelativeY(-60);
        Item.SetLineMaximum(2);
        const qint64 RunNanoseconds = RunGeneration(Item, TitleCount);
        const qint64 PlainNanoseconds = PlainWrites(Titles, Plain);
        State.SetIterationTime(double(RunNanoseconds) / 1e9);
        RunSeconds += double(RunNanoseconds) / 1e9;
        PlainSeconds += double(PlainNanoseconds) / 1e9;
    }
    State.counters["titles"] = double(TitleCount);
    State.counters["titles_per_second"] = double(TitleCount) * double(State.iterations()) / RunSeconds;
    State.counters["plain_write_seconds"] = PlainSeconds / double(State.iterations());
    State.counters["ratio_to_plain_writes"] = RunSeconds / PlainSeconds;
}
BENCHMARK(BM_GenerationRun)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication Application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

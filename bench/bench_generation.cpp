// The whole generation run on a 10,000-line document, of Latin and Chinese words between
// blanks (GenerationRun) or of Chinese written without blanks (GenerationRunChinese),
// which the wrap breaks between characters: titles per second, and its wall
// time and the process's CPU time (user + system, every thread) each as a ratio to
// writing the same bytes with plain file writes in the same process. The files go to
// /dev/shm when there is one: on a RAM disk the disk does not hide the program's own
// cost, such as an interface thread kept busy while it waits for the worker.
//
// Each round compares its run with its own plain writes, made right after it; the
// ratios reported are the median over the rounds, so that one round disturbed by
// another program on a shared machine does not decide the figure.
#include "model/DocumentItem.h"
#include "titles/SubtitleFactoryThread.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <ctime>
#include <sys/resource.h>
#include <vector>

namespace {

const QStringList LatinWords{"the", "quick", "brown", "fox", "jumps", "over", "lazy", "dog", "subtitle",
                             "editor", "frame", "scene", "tonight", "remember", "everything", "why"};
const QStringList ChineseWords{"我们", "今天晚上", "一起", "去看", "电影", "你好", "世界", "字幕", "非常", "重要"};

// Lines of 4 to 20 words: of both pools between blanks, or Chinese sentences written
// without them.
QString WriteDocument(const QString& FileName, bool Chinese)
{
    QRandomGenerator Random(20261209);
    QStringList Lines;
    for (int Line = 0; Line < 10000; ++Line) {
        const int Words = 4 + int(Random.bounded(17));
        QStringList Text;
        for (int Word = 0; Word < Words; ++Word) {
            const QStringList& Pool = Chinese || Random.bounded(2) == 0 ? ChineseWords : LatinWords;
            Text << Pool[int(Random.bounded(qint64(Pool.size())))];
            // Chinese text takes its commas and full stops, which the line break rules
            // keep off the start of a line.
            if (Chinese)
                Text.back() += Word + 1 == Words ? QStringLiteral("。") : Random.bounded(4) == 0 ? QStringLiteral("，") : QString();
        }
        Lines << Text.join(Chinese ? QString() : QStringLiteral(" "));
    }
    QFile File(FileName);
    if (!File.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(FileName));
    File.write(Lines.join(QStringLiteral("\r\n")).toUtf8());
    return FileName;
}

// Wall and CPU time of one measured stretch, in seconds; Interface is the part of the
// CPU time that the measuring (interface) thread itself used.
struct TCost
{
    double Wall = 0;
    double Cpu = 0;
    double Interface = 0;

    TCost& operator+=(const TCost& Other)
    {
        Wall += Other.Wall;
        Cpu += Other.Cpu;
        Interface += Other.Interface;
        return *this;
    }
};

// User plus system time of every thread of the process so far.
double ProcessCpuSeconds()
{
    rusage Usage{};
    ::getrusage(RUSAGE_SELF, &Usage);
    const auto Seconds = [](const timeval& Time) { return double(Time.tv_sec) + double(Time.tv_usec) / 1e6; };
    return Seconds(Usage.ru_utime) + Seconds(Usage.ru_stime);
}

double ThreadCpuSeconds()
{
    timespec Time{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &Time);
    return double(Time.tv_sec) + double(Time.tv_nsec) / 1e9;
}

class TCostClock
{
public:
    TCostClock()
        : FCpuStart(ProcessCpuSeconds())
        , FThreadStart(ThreadCpuSeconds())
    {
        FWall.start();
    }
    TCost Elapsed() const
    {
        return {double(FWall.nsecsElapsed()) / 1e9, ProcessCpuSeconds() - FCpuStart, ThreadCpuSeconds() - FThreadStart};
    }

private:
    QElapsedTimer FWall;
    double FCpuStart;
    double FThreadStart;
};

double Median(std::vector<double> Values)
{
    std::sort(Values.begin(), Values.end());
    return Values.empty() ? 0.0 : Values[Values.size() / 2];
}

QString ScratchParent()
{
    const QString RamDisk = QStringLiteral("/dev/shm");
    return QFileInfo(RamDisk).isDir() && QFileInfo(RamDisk).isWritable() ? RamDisk : QDir::tempPath();
}

// One generation run with every progress event handed over to this (interface) thread.
TCost RunGeneration(TDocumentItem& Item, qint64& Titles)
{
    TSubtitleFactoryThread Run({&Item});
    qint64 Events = 0;
    Run.OnDocumentLoad = [&](qint32, qint32) { ++Events; };
    Run.OnSubtitleProgress = [&](qint32, qint32) { ++Events; };
    Run.OnDocumentsProgress = [&](qint32, qint32) { ++Events; };
    Run.OnError = [](const QString& Message) { qFatal("%s", qUtf8Printable(Message)); };
    QObject::connect(&Run, &TSubtitleFactoryThread::Ended, QCoreApplication::instance(), &QCoreApplication::quit);
    const TCostClock Clock;
    Run.start();
    QCoreApplication::exec();
    Run.wait();
    const TCost Cost = Clock.Elapsed();
    Titles = qint64(Item.ImmutableSubtitleItems().size());
    return Cost;
}

// Writes the bytes of every file under Directory again, one plain write per file.
TCost PlainWrites(const QString& Directory, const QString& Target)
{
    std::vector<std::pair<QString, QByteArray>> Files;
    QDirIterator Iterator(Directory, {"*.etl"}, QDir::Files);
    while (Iterator.hasNext()) {
        const QString Path = Iterator.next();
        QFile File(Path);
        if (File.open(QIODevice::ReadOnly))
            Files.emplace_back(Target + QLatin1Char('/') + Iterator.fileName(), File.readAll());
    }
    const TCostClock Clock;
    for (const auto& [Path, Bytes] : Files) {
        QFile File(Path);
        if (!File.open(QIODevice::WriteOnly | QIODevice::Truncate) || File.write(Bytes) != Bytes.size())
            qFatal("cannot write %s", qPrintable(Path));
    }
    return Clock.Elapsed();
}

void GenerationRun(benchmark::State& State, bool Chinese)
{
    QTemporaryDir Temp(ScratchParent() + QStringLiteral("/bench_generation-XXXXXX"));
    const QString Source = WriteDocument(Temp.filePath(QStringLiteral("Film.txt")), Chinese);
    TCost RunCost;
    TCost PlainCost;
    std::vector<double> WallRatios;
    std::vector<double> CpuRatios;
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
        Item.SetFontName(Chinese ? QStringLiteral("Noto Sans CJK SC") : QStringLiteral("Liberation Sans"));
        Item.SetFontSize(Chinese ? 36 : 48);
        Item.SetFontColor(0xFFFFFF);
        Item.SetEdge(true);
        Item.SetEdgeWidthHard(4);
        Item.SetVideoWidth(1920);
        Item.SetVideoHeight(1080);
        Item.SetBoxAlign(taCenter);
        Item.SetBoxAlignText(taCenter);
        Item.SetBoxWidth(Chinese ? 1000 : 1600);
        Item.SetBoxRelativeY(-60);
        Item.SetLineMaximum(2);
        const TCost Run = RunGeneration(Item, TitleCount);
        const TCost Written = PlainWrites(Titles, Plain);
        WallRatios.push_back(Run.Wall / Written.Wall);
        CpuRatios.push_back(Run.Cpu / Written.Cpu);
        State.SetIterationTime(Run.Wall);
        RunCost += Run;
        PlainCost += Written;
        // Each round's files go, so that a long benchmark run does not fill the RAM disk.
        QDir(Titles).removeRecursively();
        QDir(Plain).removeRecursively();
    }
    State.counters["titles"] = double(TitleCount);
    State.counters["titles_per_second"] = double(TitleCount) * double(State.iterations()) / RunCost.Wall;
    State.counters["plain_write_seconds"] = PlainCost.Wall / double(State.iterations());
    State.counters["wall_ratio"] = Median(WallRatios);
    State.counters["cpu_ratio"] = Median(CpuRatios);
    // How much of a core the interface thread keeps busy while it serves the run.
    State.counters["interface_busy"] = RunCost.Interface / RunCost.Wall;
}

void BM_GenerationRun(benchmark::State& State)
{
    GenerationRun(State, false);
}
BENCHMARK(BM_GenerationRun)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_GenerationRunChinese(benchmark::State& State)
{
    GenerationRun(State, true);
}
BENCHMARK(BM_GenerationRunChinese)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

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

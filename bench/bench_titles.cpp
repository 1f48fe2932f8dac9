// Speed of the title layout and writer: WrapText per call for subtitles of 8, 20 and
// 60 words, the wrap and cutting into titles of a Chinese and of a mixed sentence, and titles written per second for a batch of 10,000 subtitles against a
// plain loop that writes the same bytes to the same number of files, both into new
// folders (a first run) and over existing files (a run repeated). The batches go to
// temporary folders (TMPDIR, normally /tmp).

#include "titles/AtomicFile.h"
#include "titles/SubtitleItemFactory.h"
#include "titles/SubtitleWrapper.h"
#include "titles/TitleSplitter.h"
#include "titles/TitleTemplate.h"

#include "model/ApplicationDirectory.h"
#include "model/SubtitleItem.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QGuiApplication>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <functional>
#include <unistd.h>
#include <vector>

namespace
{
constexpr int BatchSize = 10000;

QString Subtitle(QRandomGenerator& Random, int Words)
{
    static const QStringList Latin = {"the", "quick", "brown", "fox", "jumps", "over", "a", "lazy", "dog", "subtitle",
                                      "editor", "Wednesday", "night", "and", "we", "will", "see", "you", "tomorrow"};
    static const QStringList Chinese = {"字幕", "测试", "我们", "明天", "见面", "中华人民共和国", "编辑", "你好", "世界"};
    QStringList Result;
    for (int i = 0; i < Words; ++i) {
        const QStringList& Pool = Random.bounded(3) == 0 ? Chinese : Latin;
        Result << Pool[int(Random.bounded(int(Pool.size())))];
    }
    return Result.join(QLatin1Char(' '));
}

void Configure(TSubtitleItem& Item)
{
    Item.SetFontName(QStringLiteral("Arial"));
    Item.SetFontSize(48);
    Item.SetFontColor(0xFFFFFF);
    Item.SetEdge(true);
    Item.SetEdgeWidthHard(4);
    Item.SetEdgeWidthSoft(1);
    Item.SetBoxAlign(taCenter);
    Item.SetBoxAlignText(taCenter);
    Item.SetBoxRelativeY(-60);
    Item.SetBoxWidth(1600);
    Item.SetLineMaximum(2);
    Item.SetVideoWidth(1920);
    Item.SetVideoHeight(1080);
}

std::vector<QString> Subtitles(int Count, int MinWords, int MaxWords, quint32 Seed)
{
    QRandomGenerator Random(Seed);
    std::vector<QString> Result;
    for (int i = 0; i < Count; ++i)
        Result.push_back(Subtitle(Random, MinWords + int(Random.bounded(MaxWords - MinWords + 1))));
    return Result;
}

QString TemplateFile()
{
    return TemplateFilePath();
}

// Writes the batch into Directory and returns the number of title files written.
qint64 WriteBatch(const TSubtitleItemFactory& Factory, TTitleTemplate& Template, const std::vector<QString>& Texts,
                  const QString& Directory)
{
    TSubtitleItem Item;
    Configure(Item);
    qint64 Titles = 0;
    const TTitleWrittenProc Count = [&Titles](TSubtitleItem&) { ++Titles; };
    for (size_t i = 0; i < Texts.size(); ++i) {
        Item.SetSubtitleDirectory(Directory);
        Item.SetSubtitleFileName(QStringLiteral("Title%1.etl").arg(qulonglong(i + 1), 5, 10, QLatin1Char('0')));
        Item.SetSubtitleContent(Texts[i]);
        Factory.WriteSubtitles(Item, Template, Count);
    }
    return Titles;
}

struct TFileImage
{
    QByteArray Name;
    QByteArray Bytes;
};

// The files a batch writes, as bytes, for the plain loop to write again.
const std::vector<TFileImage>& BatchFiles()
{
    static const std::vector<TFileImage> Files = [] {
        QTemporaryDir Directory;
        TTitleTemplate Template(TemplateFile());
        WriteBatch(TSubtitleItemFactory(), Template, Subtitles(BatchSize, 4, 20, 7), Directory.path());
        std::vector<TFileImage> Result;
        QDirIterator Iterator(Directory.path(), QDir::Files);
        while (Iterator.hasNext()) {
            QFile File(Iterator.next());
            if (File.open(QIODevice::ReadOnly))
                Result.push_back({QFile::encodeName(QFileInfo(File).fileName()), File.readAll()});
        }
        return Result;
    }();
    return Files;
}

// Seconds per batch, for the ratios printed at the end.
double TitleSeconds = 0;
double PlainSeconds = 0;
double RewriteSeconds = 0;
double PlainRewriteSeconds = 0;

// Writes every file image into Folder with one plain open, write and close each.
bool WritePlain(const std::vector<TFileImage>& Files, const QByteArray& Folder)
{
    for (const TFileImage& File : Files) {
        const QByteArray Path = Folder + '/' + File.Name;
        const int Descriptor = ::open(Path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        if (Descriptor < 0)
            return false;
        const bool Written = ::write(Descriptor, File.Bytes.constData(), size_t(File.Bytes.size())) == File.Bytes.size();
        ::close(Descriptor);
        if (!Written)
            return false;
    }
    return true;
}

double SecondsSince(std::chrono::steady_clock::time_point Start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count();
}

// Runs WriteInto once per benchmark round into a new, empty folder and times only the
// writing. Returns the seconds per round, or 0 when WriteInto failed.
double TimeInNewFolders(benchmark::State& State, const std::function<bool(const QString&)>& WriteInto)
{
    QTemporaryDir Directory;
    int Round = 0;
    double Seconds = 0;
    for (auto _ : State) {
        const QString Folder = Directory.filePath(QString::number(++Round));
        QDir().mkpath(Folder);
        const auto Start = std::chrono::steady_clock::now();
        if (!WriteInto(Folder)) {
            State.SkipWithError("cannot write");
            return 0;
        }
        const double RoundSeconds = SecondsSince(Start);
        State.SetIterationTime(RoundSeconds);
        Seconds += RoundSeconds;
    }
    return Seconds / double(State.iterations());
}

// Runs Write once untimed, so that its files exist, then once per benchmark round over
// them. Returns the seconds per round, or 0 when Write failed.
double TimeOverExistingFiles(benchmark::State& State, const std::function<bool()>& Write)
{
    if (!Write()) {
        State.SkipWithError("cannot write");
        return 0;
    }
    const auto Start = std::chrono::steady_clock::now();
    for (auto _ : State)
        if (!Write()) {
            State.SkipWithError("cannot write");
            return 0;
        }
    return SecondsSince(Start) / double(State.iterations());
}

void BM_WrapText(benchmark::State& State)
{
    const int Words = int(State.range(0));
    const std::vector<QString> Texts = Subtitles(256, Words, Words, 11 + quint32(Words));
    TSubtitleItem Item;
    Configure(Item);
    const TSubtitleItemFactory Factory;
    qint32 LineBreaks = 0;
    size_t Next = 0;
    for (auto _ : State) {
        benchmark::DoNotOptimize(Factory.WrapText(&Item, Texts[Next], LineBreaks));
        Next = (Next + 1) % Texts.size();
    }
    State.SetItemsProcessed(State.iterations());
}
BENCHMARK(BM_WrapText)->Arg(8)->Arg(20)->Arg(60);

// The wrap as first written, measuring the whole growing text for every word: the
// figure the cached, incremental wrap is measured against.
void BM_WrapTextStraightforward(benchmark::State& State)
{
    const int Words = int(State.range(0));
    const std::vector<QString> Texts = Subtitles(256, Words, Words, 11 + quint32(Words));
    TSubtitleItem Item;
    Configure(Item);
    const TSubtitleItemFactory Factory;
    size_t Next = 0;
    for (auto _ : State) {
        const QStringList Split = Texts[Next].split(QLatin1Char(' '));
        QString R;
        for (qsizetype i = Split.size() - 1; i >= 0; --i)
            R = Split[i] + (Factory.MeasureText(&Item, Split[i] + R).Right > Item.BoxWidth() ? QStringLiteral("\r\n") : QStringLiteral(" ")) + R;
        benchmark::DoNotOptimize(R.trimmed());
        Next = (Next + 1) % Texts.size();
    }
}
BENCHMARK(BM_WrapTextStraightforward)->Arg(20);

// A subtitle cut into titles of two lines and each title wrapped, as the writer does
// before it writes them: a Chinese sentence of 60 characters without a blank, and a
// sentence mixing Chinese, Latin words, digits and punctuation.
void BM_WrapAndCut(benchmark::State& State, const QString& Text)
{
    TSubtitleItem Item;
    Configure(Item);
    Item.SetFontName(QStringLiteral("Noto Sans CJK SC"));
    Item.SetFontSize(36);
    Item.SetBoxWidth(1000);
    const TSubtitleItemFactory Factory;
    qint64 Titles = 0;
    for (auto _ : State) {
        TTitleSplitter Splitter(Factory, Item, Text);
        QString Accepted;
        TLineUnits::TList Units;
        qint32 LineBreaks = 0;
        while (Splitter.Next(Accepted, Units)) {
            benchmark::DoNotOptimize(TSubtitleWrapper::Wrap(&Item, Accepted, Units, LineBreaks));
            ++Titles;
        }
    }
    State.counters["titles"] = double(Titles) / double(State.iterations());
}
BENCHMARK_CAPTURE(BM_WrapAndCut, chinese_60, QStringLiteral("我们今天晚上一起去看电影，看完以后再去吃饭，你觉得怎么样？如果你明天没有时间的话，我们也可以改到下个星期六晚上再见面吧。"));
BENCHMARK_CAPTURE(BM_WrapAndCut, mixed, QStringLiteral("他用iPhone拍了3张照片，发到WeChat上：“今天的天气真好！” Then we went home at 10 pm, 然后一起吃了晚饭。"));

// A first run: every batch goes into a new, empty folder, so every title file is new.
void BM_WriteTitles(benchmark::State& State)
{
    const std::vector<QString> Texts = Subtitles(BatchSize, 4, 20, 7);
    const TSubtitleItemFactory Factory;
    TTitleTemplate Template(TemplateFile());
    qint64 Titles = 0;
    TitleSeconds = TimeInNewFolders(State, [&](const QString& Folder) {
        Titles += WriteBatch(Factory, Template, Texts, Folder);
        return true;
    });
    State.counters["titles_per_second"] = double(Titles) / (TitleSeconds * double(State.iterations()));
    State.counters["titles_per_batch"] = double(Titles) / double(State.iterations());
}
BENCHMARK(BM_WriteTitles)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);

void BM_PlainWrites(benchmark::State& State)
{
    const std::vector<TFileImage>& Files = BatchFiles();
    PlainSeconds = TimeInNewFolders(State, [&](const QString& Folder) { return WritePlain(Files, QFile::encodeName(Folder)); });
    State.counters["files_per_second"] = double(Files.size()) / PlainSeconds;
}
BENCHMARK(BM_PlainWrites)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);

// A run repeated: the batch is written over the titles of the run before, each title
// replaced safely (temporary file beside it, then rename).
void BM_RewriteTitles(benchmark::State& State)
{
    const std::vector<QString> Texts = Subtitles(BatchSize, 4, 20, 7);
    QTemporaryDir Directory;
    const TSubtitleItemFactory Factory;
    TTitleTemplate Template(TemplateFile());
    RewriteSeconds = TimeOverExistingFiles(State, [&] {
        WriteBatch(Factory, Template, Texts, Directory.path());
        return true;
    });
}
BENCHMARK(BM_RewriteTitles)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// The same bytes written over existing files in place, with no protection against a
// failed write: the floor the safe rewrite is compared with.
void BM_PlainRewrites(benchmark::State& State)
{
    const std::vector<TFileImage>& Files = BatchFiles();
    QTemporaryDir Directory;
    PlainRewriteSeconds = TimeOverExistingFiles(State, [&] { return WritePlain(Files, QFile::encodeName(Directory.path())); });
}
BENCHMARK(BM_PlainRewrites)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// The same bytes once more, each file saved the way titles are replaced (temporary
// file beside the target, then rename): how much of a rewrite is the safe save alone.
void BM_PlainAtomicRewrites(benchmark::State& State)
{
    const std::vector<TFileImage>& Files = BatchFiles();
    QTemporaryDir Directory;
    const QString Folder = Directory.path() + QLatin1Char('/');
    if (!WritePlain(Files, QFile::encodeName(Directory.path()))) {
        State.SkipWithError("cannot write");
        return;
    }
    for (auto _ : State)
        for (const TFileImage& File : Files)
            TAtomicFile::Write(Folder + QFile::decodeName(File.Name), File.Bytes);
    State.counters["files_per_second"] = benchmark::Counter(double(Files.size()) * double(State.iterations()),
                                                            benchmark::Counter::kIsRate);
}
BENCHMARK(BM_PlainAtomicRewrites)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication Application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (TitleSeconds > 0 && PlainSeconds > 0)
        std::printf("Writing titles into a new folder takes %.2f times as long as plain writes of the same bytes.\n",
                    TitleSeconds / PlainSeconds);
    if (RewriteSeconds > 0 && PlainRewriteSeconds > 0)
        std::printf("Rewriting titles takes %.2f times as long as plain writes over the same files.\n",
                    RewriteSeconds / PlainRewriteSeconds);
    return 0;
}

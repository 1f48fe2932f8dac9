// The subtitle files page listing the 10,000 titles of one document, written by a real
// generation run: LoadSubtitles against reading the same title files alone. The aim is
// under 1.5 s for the list, and at most half again the time of reading the files.
#include "NoProjectCommands.h"
#include "ui/SubtitleEditor.h"

#include "components/ListViewEx.h"
#include "model/DocumentItem.h"
#include "titles/SubtitleFactoryThread.h"
#include "titles/SubtitleItemFactory.h"

#include <QCoreApplication>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace {

constexpr int TitleCount = 10000;

const QStringList Words{"the", "quick", "brown", "fox", "jumps", "over", "lazy", "dog", "subtitle", "editor",
                        "frame", "scene", "tonight", "remember", "我们", "今天晚上", "一起", "去看", "电影", "字幕"};

// Nothing to save or show: the page is measured alone.
// A document of TitleCount lines of four to fourteen words, each of which fits into one
// title, run through the generation once; its item then holds one record per title.
class TTitles
{
public:
    TTitles()
    {
        if (!FFolder.isValid())
            qFatal("no temporary folder");
        QRandomGenerator Random(20261209);
        QStringList Lines;
        for (int Line = 0; Line < TitleCount; ++Line) {
            QStringList Text;
            const int Count = 4 + int(Random.bounded(11));
            for (int Word = 0; Word < Count; ++Word)
                Text << Words[int(Random.bounded(qint64(Words.size())))];
            Lines << Text.join(QLatin1Char(' '));
        }
        const QString Source = FFolder.filePath(QStringLiteral("Episode.txt"));
        QFile File(Source);
        if (!File.open(QIODevice::WriteOnly))
            qFatal("cannot write %s", qPrintable(Source));
        File.write(Lines.join(QStringLiteral("\r\n")).toUtf8());
        File.close();

        Item.LoadAttributes(true);
        Item.SetSourceFileName(Source);
        Item.SetSubtitleDirectory(FFolder.filePath(QStringLiteral("Titles")));
        Item.SetSubtitleFileName(QStringLiteral("Title{0}.etl"));
        Item.SetFontName(QStringLiteral("Liberation Sans"));
        Item.SetLineMaximum(10);

        TSubtitleFactoryThread Run({&Item});
        Run.OnError = [](const QString& Message) { qFatal("%s", qUtf8Printable(Message)); };
        QObject::connect(&Run, &QThread::finished, QCoreApplication::instance(), &QCoreApplication::quit,
                         Qt::QueuedConnection);
        Run.start();
        QCoreApplication::exec();
        Run.wait();
        if (Item.ImmutableSubtitleItems().size() != std::size_t(TitleCount))
            qFatal("the run wrote %d titles", int(Item.ImmutableSubtitleItems().size()));
    }

    TDocumentItem Item;

private:
    QTemporaryDir FFolder;
};

const TTitles& Titles()
{
    static const TTitles Made;
    return Made;
}

void BM_LoadSubtitles(benchmark::State& State)
{
    const TDocumentItem& Item = Titles().Item;
    TNoProjectCommands Commands;
    TFoSubtitleEditor Page(Commands);
    Page.resize(1200, 800);
    Page.show();
    QCoreApplication::processEvents();
    for (auto _ : State)
        Page.LoadSubtitles(Item);
    if (Page.lvObjects()->topLevelItemCount() != TitleCount)
        State.SkipWithError("not every title was listed");
    State.counters["titles"] = TitleCount;
}
BENCHMARK(BM_LoadSubtitles)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);

void BM_ReadSubtitles(benchmark::State& State)
{
    const TDocumentItem& Item = Titles().Item;
    const TSubtitleItemFactory Factory;
    for (auto _ : State) {
        std::vector<std::unique_ptr<TSubtitleItem>> Read;
        Read.reserve(Item.ImmutableSubtitleItems().size());
        for (const auto& Record : Item.ImmutableSubtitleItems())
            Read.push_back(Factory.ReadSubtitle(Record->SubtitleDirectory() + Record->SubtitleFileName()));
        benchmark::DoNotOptimize(Read.data());
    }
    State.counters["titles"] = TitleCount;
}
BENCHMARK(BM_ReadSubtitles)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);

} // namespace

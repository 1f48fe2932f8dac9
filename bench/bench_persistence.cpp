// Save and open of a project with 1,000 document items of 100 title records each.
#include "persistence/ProjectManager.h"

#include "model/Project.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

void FillProject(TProject& Project)
{
    for (int Index = 0; Index < 1000; ++Index) {
        TDocumentItem* Item = Project.AddDocumentItem(std::make_unique<TDocumentItem>());
        Item->SetSourceFileName(QStringLiteral("/home/editor/Documents/Episode %1.docx").arg(Index));
        Item->SetSubtitleDirectory(QStringLiteral("{AppDir}/Titles/{SourceFileName}"));
        Item->SetSubtitleFileName(QStringLiteral("Title{0}.etl"));
        Item->SetFontName(QStringLiteral("Arial"));
        Item->SetFontSize(48);
        Item->SetEdgeWidthHard(4.5);
        Item->SetVideoWidth(1920);
        Item->SetVideoHeight(1080);
        Item->SetBoxWidth(1600);
        Item->SetLineMaximum(2);
        Item->SetSourceLineIncrement(1);
        for (int Record = 1; Record <= 100; ++Record) {
            auto Title = std::make_unique<TImmutableSubtitleItem>();
            Title->SetBoxAlign(taCenter);
            Title->SetBoxWidth(1600);
            Title->SetLineMaximum(2);
            Title->SetBoxRelativeY(-60);
            Title->SetSubtitleDirectory(QStringLiteral("/opt/nuvex/Titles/Episode %1/").arg(Index));
            Title->SetSubtitleFileName(QStringLiteral("Title%1.etl").arg(Record, 5, 10, QLatin1Char('0')));
            Item->AddImmutableSubtitleItem(std::move(Title));
        }
    }
}

void BM_SaveProject(benchmark::State& State)
{
    QTemporaryDir Temp;
    TProjectManager Manager;
    Manager.NewProject(QString());
    FillProject(Manager.GetActiveProject());
    const QString FileName = Temp.filePath(QStringLiteral("large.nvproj"));
    for (auto _ : State)
        Manager.SaveProject(FileName);
}
BENCHMARK(BM_SaveProject)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_OpenProject(benchmark::State& State)
{
    QTemporaryDir Temp;
    TProjectManager Manager;
    Manager.NewProject(QString());
    FillProject(Manager.GetActiveProject());
    const QString FileName = Temp.filePath(QStringLiteral("large.nvproj"));
    Manager.SaveProject(FileName);
    for (auto _ : State)
        Manager.OpenProject(FileName);
    State.counters["records"] = double(Manager.GetActiveProject().DocumentItems().size() * 100);
}
BENCHMARK(BM_OpenProject)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

BENCHMARK_MAIN();

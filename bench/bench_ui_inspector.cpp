// The inspector with 1, 100 and 1,000 selected document items: rebuilding its rows, and
// one accepted edit written to every item while each item's observer is called, with a
// counting observer and on the documents page itself, whose rows follow the edit. The
// aim is under 30 ms for 1,000 items.
#include "NoProjectCommands.h"

#include "ui/DocumentEditor.h"
#include "ui/ObjectInspector.h"
#include "ui/PropertyGrid.h"

#include "components/ListViewEx.h"

#include "model/DocumentItem.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace {

constexpr int MostItems = 1000;

// Document items with the attribute file's defaults, a few values varying between them
// so that some rows are empty, as in a real selection.
const std::vector<std::unique_ptr<TDocumentItem>>& Items()
{
    static const std::vector<std::unique_ptr<TDocumentItem>> Made = [] {
        std::vector<std::unique_ptr<TDocumentItem>> Result;
        for (int Index = 0; Index < MostItems; ++Index) {
            auto Item = std::make_unique<TDocumentItem>();
            Item->LoadAttributes(true);
            Item->SetSourceFileName(QStringLiteral("/home/editor/Documents/Episode %1.docx").arg(Index));
            Item->SetFontSize(40 + Index % 3);
            Result.push_back(std::move(Item));
        }
        return Result;
    }();
    return Made;
}

void Select(TFrObjectInspector& Inspector, int Count)
{
    Inspector.ClearObjects(false);
    for (int Index = 0; Index < Count; ++Index)
        Inspector.AddObject(Items()[std::size_t(Index)].get(), false);
}

void BM_RefreshProperties(benchmark::State& State)
{
    TFrObjectInspector Inspector;
    Select(Inspector, int(State.range(0)));
    for (auto _ : State)
        Inspector.RefreshProperties();
}
BENCHMARK(BM_RefreshProperties)->Arg(1)->Arg(100)->Arg(MostItems)->Unit(benchmark::kMillisecond);

int FontSizeRow(const TFrObjectInspector& Inspector)
{
    const auto* Grid = Inspector.findChild<TPropertyGrid*>(QStringLiteral("vlObjectInspector"));
    int Row = 1;
    while (Grid->KeyText(Row) != QLatin1String("FontSize"))
        ++Row;
    return Row;
}

void BM_AcceptedEdit(benchmark::State& State)
{
    const int Count = int(State.range(0));
    TFrObjectInspector Inspector;
    Select(Inspector, Count);
    Inspector.RefreshProperties();
    const int Row = FontSizeRow(Inspector);
    qint64 Notifications = 0;
    for (int Index = 0; Index < Count; ++Index)
        Items()[std::size_t(Index)]->SetOnChanged([&](TObservableObject&, const QString&) { ++Notifications; });

    bool Larger = false;
    for (auto _ : State) {
        // Every round changes the value, so every setter notifies.
        Larger = !Larger;
        Inspector.vlObjectInspectorValidate(1, Row, QStringLiteral("FontSize"),
                                            Larger ? QStringLiteral("72") : QStringLiteral("36"));
    }
    for (int Index = 0; Index < Count; ++Index)
        Items()[std::size_t(Index)]->SetOnChanged({});
    State.counters["notifications_per_edit"] = double(Notifications) / double(State.iterations());
}
BENCHMARK(BM_AcceptedEdit)->Arg(1)->Arg(100)->Arg(MostItems)->Unit(benchmark::kMillisecond);

void BM_AcceptedEditOnDocumentsPage(benchmark::State& State)
{
    TNoProjectCommands Commands;
    TFoDocumentEditor Page(Commands);
    Page.LoadDocumentItems(Items());
    Page.lvObjects()->selectAll();
    const int Row = FontSizeRow(*Page.frObjectInspector());
    bool Larger = false;
    for (auto _ : State) {
        Larger = !Larger;
        Page.frObjectInspector()->vlObjectInspectorValidate(1, Row, QStringLiteral("FontSize"),
                                                            Larger ? QStringLiteral("72") : QStringLiteral("36"));
    }
    Page.ClearDocumentList();
    for (const auto& Item : Items())
        Item->SetOnChanged({});
}
BENCHMARK(BM_AcceptedEditOnDocumentsPage)->Unit(benchmark::kMillisecond);

} // namespace

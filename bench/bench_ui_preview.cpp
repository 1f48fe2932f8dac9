// Speed of the subtitle preview: one redraw as typing in the test memo causes it, a
// 1920 x 1080 item with a two-line text rendered at full size and shown scaled into a
// 600 x 340 picture area, painted at once. Typing redraws on every key, so one redraw
// has to fit into a frame at 60 Hz (16 ms). The render alone is timed as well, to tell
// drawing from scaling.

#include "ui/Preview.h"
#include "ui/PreviewImage.h"
#include "ui/PreviewRenderer.h"

#include "model/SubtitleItem.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

namespace
{
const QString TwoLines = QStringLiteral("Typing a subtitle in the test memo redraws the preview on every key");

std::unique_ptr<TSubtitleItem> MakeItem()
{
    auto Item = std::make_unique<TSubtitleItem>();
    Item->SetFontName(QStringLiteral("Liberation Sans"));
    Item->SetFontSize(40);
    Item->SetFontColor(0xFFFFFF);
    Item->SetBoxAlign(taCenter);
    Item->SetBoxAlignText(taCenter);
    Item->SetBoxRelativeY(-60);
    Item->SetBoxWidth(1200);
    Item->SetVideoWidth(1920);
    Item->SetVideoHeight(1080);
    return Item;
}

void BM_DrawPreview(benchmark::State& State)
{
    TFrPreview Frame;
    Frame.resize(600 + 10, 25 + 340 + 10 + 3 + 75);
    Frame.show();
    QApplication::processEvents();
    if (Frame.imPreview()->size() != QSize(600, 340)) {
        State.SkipWithError("the picture area is not 600 x 340");
        return;
    }
    const auto Item = MakeItem();
    int Key = 0;
    for (auto _ : State) {
        // A different text each time, as every key changes it.
        Frame.SetTestText(TwoLines + QChar(u'a' + (Key++ % 26)));
        Frame.DrawPreview(Item.get());
        Frame.imPreview()->repaint();
    }
    if (Frame.Renderer().DrawnLines().size() != 2)
        State.SkipWithError("the text did not take two lines");
}
BENCHMARK(BM_DrawPreview)->Unit(benchmark::kMillisecond);

void BM_RenderOnly(benchmark::State& State)
{
    TPreviewRenderer Renderer;
    const auto Item = MakeItem();
    int Key = 0;
    for (auto _ : State) {
        const QImage Picture = Renderer.Render(*Item, TwoLines + QChar(u'a' + (Key++ % 26)), TPreviewBackground::Black);
        benchmark::DoNotOptimize(Picture.constBits());
    }
}
BENCHMARK(BM_RenderOnly)->Unit(benchmark::kMillisecond);
} // namespace

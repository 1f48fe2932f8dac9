#include "PreviewRenderer.h"

#include "titles/FontMeasure.h"
#include "titles/SubtitleMeasure.h"

#include "model/SubtitleItem.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace
{
// Widths add up character by character, as the title writer measures them, so that a
// line in the unstyled font comes out exactly as wide as its measured box.
qint64 AdditiveWidth(const QFontMetrics& Metrics, QStringView Line)
{
    qint64 Width = 0;
    const qsizetype Size = Line.size();
    for (qsizetype i = 0; i < Size; ++i) {
        if (Line[i].isHighSurrogate() && i + 1 < Size && Line[i + 1].isLowSurrogate()) {
            Width += std::max(0, Metrics.horizontalAdvance(Line.sliced(i, 2).toString()));
            ++i;
        } else {
            Width += std::max(0, Metrics.horizontalAdvance(Line[i]));
        }
    }
    return Width;
}

// A line wider than the box breaks at the last blank whose start still fits, or at the
// first blank when not even the first word fits; a line without such a blank stays
// whole and overhangs.
void BreakToWidth(QStringView Line, const QFontMetrics& Metrics, qint64 BoxWidth, QStringList& Lines)
{
    while (AdditiveWidth(Metrics, Line) > BoxWidth) {
        qsizetype Break = -1;
        for (qsizetype Blank = Line.indexOf(u' ', 1); Blank > 0; Blank = Line.indexOf(u' ', Blank + 1)) {
            if (Break >= 0 && AdditiveWidth(Metrics, Line.first(Blank)) > BoxWidth)
                break;
            Break = Blank;
        }
        if (Break < 0)
            break;
        Lines.append(Line.first(Break).toString());
        Line = Line.sliced(Break + 1);
    }
    Lines.append(Line.toString());
}

qint64 LineLeft(TAlignment Alignment, const TTitlePlacement::TBox& Box, qint64 LineWidth)
{
    switch (Alignment) {
    case taRightJustify:
        return Box.Right - LineWidth;
    case taCenter:
        return Box.Left + (Box.Right - Box.Left - LineWidth) / 2;
    case taLeftJustify:
        break;
    }
    return Box.Left;
}
} // namespace

bool TPreviewRenderer::FrameSizeAllowed(qint64 Width, qint64 Height)
{
    return Width >= 1 && Height >= 1 && Width <= MaxFrameSide && Height <= MaxFrameSide
        && Width * Height <= MaxFramePixels;
}

QImage TPreviewRenderer::Render(const TSubtitleItem& Item, const QString& Text, TPreviewBackground Background)
{
    FTextBox = {};
    FDrawnLines.clear();
    FLineHeight = 0;
    const qint64 FrameWidth = Item.VideoWidth();
    const qint64 FrameHeight = Item.VideoHeight();
    if (!FrameSizeAllowed(FrameWidth, FrameHeight))
        return QImage();
    QImage Picture(int(FrameWidth), int(FrameHeight), QImage::Format_RGB32);
    if (Picture.isNull())
        return QImage();
    Picture.fill(PreviewBackground::ColorOf(Background));

    qint32 LineBreaks = 0;
    const QString Wrapped = FFactory.WrapText(&Item, Text, LineBreaks);
    const TTextRect Block = FFactory.MeasureText(&Item, Wrapped);
    FTextBox = TTitlePlacement::Box(Item, Block);

    // The family and pixel size the measure resolved, so a font that is not installed
    // falls back to the same face for drawing as for measuring.
    const TFontMeasure& Measure = TSubtitleMeasure::Font(Item);
    FLineHeight = Measure.LineHeight();
    FFont = QFont(Measure.Family());
    FFont.setPixelSize(Measure.PixelSize());
    FFont.setKerning(false);
    FFont.setWeight(Item.FontStyleBold() ? QFont::Bold : QFont::Normal);
    FFont.setItalic(Item.FontStyleItalic());
    FFont.setUnderline(Item.FontStyleUnderline());
    const QFontMetrics Metrics(FFont);

    const qint64 BoxWidth = Block.Right;
    TFontMeasure::ForEachLine(Wrapped, [&](QStringView Line) { BreakToWidth(Line, Metrics, BoxWidth, FDrawnLines); });

    QPainter Painter(&Picture);
    Painter.setFont(FFont);
    Painter.setPen(QColorOf(Item.FontColor()));
    // A line lying wholly outside the frame is skipped rather than handed to the
    // painter at coordinates far beyond its range.
    const qint64 Reach = qint64(Measure.PixelSize()) * 2;
    for (qsizetype i = 0; i < FDrawnLines.size(); ++i) {
        const qint64 Top = FTextBox.Top + i * FLineHeight;
        if (Top > FrameHeight + Reach || Top + FLineHeight < -Reach)
            continue;
        const qint64 Width = AdditiveWidth(Metrics, FDrawnLines[i]);
        const qint64 Left = LineLeft(Item.BoxAlignText(), FTextBox, Width);
        if (Left > FrameWidth + Reach || Left + Width < -Reach)
            continue;
        Painter.drawText(QPointF(double(Left), double(Top + Metrics.ascent())), FDrawnLines[i]);
    }
    return Picture;
}

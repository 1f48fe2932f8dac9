#include "SubtitleMeasure.h"

#include "FontMeasure.h"

#include "model/SubtitleItem.h"

#include <algorithm>
#include <limits>

TFontMeasure& TSubtitleMeasure::Font(const TSubtitleItem& Item)
{
    return TFontMeasure::ForCurrentThread(Item.FontName(), TFontMeasure::PixelSizeForPoints(Item.FontSize()));
}

TTextRect TSubtitleMeasure::Block(const TSubtitleItem* Item, QStringView Text)
{
    TTextRect Rect;
    if (Item == nullptr)
        return Rect;
    TFontMeasure& Measure = Font(*Item);
    constexpr qint64 Int32Max = std::numeric_limits<qint32>::max();
    qint64 LineCount = 0;
    const qint64 Width = Measure.TextWidth(Text, LineCount);
    Rect.Right = qint32(std::min(Width, Int32Max));
    Rect.Bottom = qint32(std::min(LineCount * Measure.LineHeight(), Int32Max));
    return Rect;
}

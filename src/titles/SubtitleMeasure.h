#pragma once

#include "TextRect.h"

#include <QStringView>

class TFontMeasure;
class TSubtitleItem;

// A subtitle's text measured as its title will show it: in the item's FontName,
// regular, at round(FontSize * 96 / 72) pixels. Bold, italic and underline are written
// into the title but leave the measure alone, so the preview, the wrapping and the
// placement all agree on one width.
class TSubtitleMeasure
{
public:
    // The calling thread's measure of the item's font.
    static TFontMeasure& Font(const TSubtitleItem& Item);

    // The block of Text: Right is the width of the widest line, Bottom the number of
    // lines times the line height, each clamped to the 32 bits a title's rectangle
    // holds. CR LF, lone CR and lone LF break lines. The empty rectangle without an
    // item.
    static TTextRect Block(const TSubtitleItem* Item, QStringView Text);
};

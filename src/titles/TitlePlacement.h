#pragma once

#include "TextRect.h"

class TSubtitleItem;

// Where a title's text block goes in the frame: the offsets of its top left corner
// (elements4, elements5). BoxRelativeY is the distance of the block's bottom from the
// frame's bottom; BoxRelativeX that of its left edge from the frame's left edge, its
// right edge from the frame's right edge, or its centre from the frame's centre.
// Left and right anchors and the vertical offset are whole pixels; the centre keeps
// halves (a 301 pixel block in a 720 pixel frame starts at 209.5).
class TTitlePlacement
{
public:
    static double Horizontal(const TSubtitleItem& Item, const TTextRect& Block);
    static double Vertical(const TSubtitleItem& Item, const TTextRect& Block);
};

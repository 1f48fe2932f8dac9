#pragma once

#include "TextRect.h"
#include "XMLTitleNode.h"

#include <QtGlobal>

#include <span>
#include <vector>

class TSubtitleItem;
class TXMLCCtsTitleObjectType;

// Where a title's text block goes in the frame: the offsets of its top left corner
// (elements4, elements5). BoxRelativeY is the distance of the block's bottom from the
// frame's bottom; BoxRelativeX that of its left edge from the frame's left edge, its
// right edge from the frame's right edge, or its centre from the frame's centre.
// Left and right anchors and the vertical offset are whole pixels; the centre keeps
// halves (a 301 pixel block in a 720 pixel frame starts at 209.5).
class TTitlePlacement
{
public:
    // A block's rectangle in whole pixels; 64-bit, so that extreme settings cannot
    // overflow.
    struct TBox
    {
        qint64 Left = 0;
        qint64 Top = 0;
        qint64 Right = 0;
        qint64 Bottom = 0;

        friend bool operator==(const TBox&, const TBox&) = default;
    };

    static double Horizontal(const TSubtitleItem& Item, const TTextRect& Block);
    static double Vertical(const TSubtitleItem& Item, const TTextRect& Block);
    // Writes Horizontal and Vertical into the title as elements4 and elements5.
    static void WriteTo(TXMLCCtsTitleObjectType& Title, const TSubtitleItem& Item, const TTextRect& Block);
    // The elements WriteTo writes, looked up (appended when missing) in that order.
    static std::vector<TXMLTitleNode> Elements(const TXMLCCtsTitleObjectType& Title);
    // The same as WriteTo, into the Elements of a title found before.
    static void WriteTo(std::span<const TXMLTitleNode> Elements, const TSubtitleItem& Item, const TTextRect& Block);

    // The block as the preview draws it, on whole pixels: left and right anchors and
    // the vertical give exactly Horizontal and Vertical, while the centre halves frame
    // and block width each with truncation, so it lies up to half a pixel beside
    // Horizontal's.
    static TBox Box(const TSubtitleItem& Item, const TTextRect& Block);
};

#pragma once

#include "PreviewBackground.h"

#include "titles/SubtitleItemFactory.h"
#include "titles/TitlePlacement.h"

#include <QFont>
#include <QImage>
#include <QString>
#include <QStringList>

class TSubtitleItem;

// Draws how a subtitle will stand on its video frame: a picture of VideoWidth x
// VideoHeight in the background colour, with the text wrapped and measured by the title
// writer's own WrapText and MeasureText and its box placed by TTitlePlacement::Box, so
// the preview and the written title agree to the pixel (the centre anchor apart, which
// the preview truncates to whole pixels). The text is drawn in the item's font with its
// style and colour; the edge is not drawn.
//
// Each wrapped line is drawn at the box's top plus its index times the measured line
// height, aligned in the box by BoxAlignText. The box is measured without bold or
// italic, so a styled line that no longer fits the box's width breaks once more at a
// blank, as the title tool shows it. "&" is an ordinary character.
//
// A frame size outside 1..MaxFrameSide on either side or above MaxFramePixels gives a
// null picture without allocating: a mistyped size must not cost gigabytes.
class TPreviewRenderer
{
public:
    // Enough for 8K video (8192 x 4320 is 35.4 million pixels, 142 MB at four bytes).
    static constexpr qint64 MaxFrameSide = 16384;
    static constexpr qint64 MaxFramePixels = 36'000'000;

    static bool FrameSizeAllowed(qint64 Width, qint64 Height);

    // The picture of Text in the item's settings over Background; null when the frame
    // size is not allowed or the memory for it cannot be had.
    QImage Render(const TSubtitleItem& Item, const QString& Text, TPreviewBackground Background);

    // The layout of the last Render: the text box in frame pixels, the lines as drawn
    // (after the extra breaks of a styled font), the distance between them and the font.
    const TTitlePlacement::TBox& TextBox() const { return FTextBox; }
    const QStringList& DrawnLines() const { return FDrawnLines; }
    int LineHeight() const { return FLineHeight; }
    const QFont& Font() const { return FFont; }

private:
    TSubtitleItemFactory FFactory;
    TTitlePlacement::TBox FTextBox;
    QStringList FDrawnLines;
    int FLineHeight = 0;
    QFont FFont;
};

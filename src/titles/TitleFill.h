#pragma once

#include <QString>

// What a title takes from its subtitle's settings and the clock, apart from its text
// and its placement, in the form it is written into the title document: creation time,
// frame size, alignment, font, styles, fill colour and edge.
struct TTitleFill
{
    QString CreateTime;
    qint32 FrameSizeX = 0;
    qint32 FrameSizeY = 0;
    qint32 Alignment = 0;
    QString FontName;
    qint32 FontSize = 0;
    qint32 Bold = 0;
    qint32 Italic = 0;
    qint32 Underline = 0;
    QString FillColor;
    qint32 EdgeEnabled = 0;
    QString EdgeColor;
    QString EdgeWidth;
    QString EdgeWidthSoft;

    bool operator==(const TTitleFill&) const = default;
};

#pragma once

#include <QtGlobal>

// A measured text block in pixels. Measuring always starts at 0, 0, so Right is the
// block's width and Bottom its height.
struct TTextRect
{
    qint32 Left = 0;
    qint32 Top = 0;
    qint32 Right = 0;
    qint32 Bottom = 0;

    friend bool operator==(const TTextRect&, const TTextRect&) = default;
};

#pragma once

#include <QtGlobal>

// Horizontal alignment, in the order the project file and the inspector rely on.
enum TAlignment : quint8
{
    taLeftJustify = 0,
    taRightJustify = 1,
    taCenter = 2,
};

// Named value types of the settings; the property table reports these names.
using TColor = qint32;   // 0x00BBGGRR, red in the low byte
using TFontSize = qint32; // points

#pragma once

#include <QFont>

// The windows' font: Tahoma where it is installed, otherwise the desktop's general
// font, at a pixel height (11 px is Tahoma 8 pt at 96 dpi, the forms' size).
class TInterfaceFont
{
public:
    static QFont Font(int PixelSize = 11);
};

#pragma once

#include <QtGlobal>

// The Windows character sets that fonts name (a LOGFONT's lfCharSet, a Word font's chs,
// RTF's \fcharset) and the code pages of their 8-bit text, as Windows documents them.
class TWindowsCharacterSet
{
public:
    static constexpr quint16 Ansi = 0;
    static constexpr quint16 Default = 1; // the system's own
    static constexpr quint16 Symbol = 2;  // the font's own glyphs
    static constexpr quint16 Oem = 255;   // the system's DOS code page

    // The code page of the character set, or 0 for those that name none of their own
    // (Default, Symbol, Oem) and for values that are no character set.
    static quint16 CodePage(quint16 CharacterSet) noexcept;
};

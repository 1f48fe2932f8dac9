#pragma once

#include "Palette.h"

// What the preview shows behind the subtitle: the frame colours a title is commonly
// judged against. They stand for video content, not for the window's look, so they
// live here rather than in the palette.
enum class TPreviewBackground
{
    White,
    Black,
    Yellow,
};

namespace PreviewBackground {

inline constexpr TPaletteColor White{16777215};
inline constexpr TPaletteColor Black{0};
inline constexpr TPaletteColor Yellow{517873};

inline QColor ColorOf(TPreviewBackground Background)
{
    switch (Background) {
    case TPreviewBackground::White:
        return White;
    case TPreviewBackground::Black:
        return Black;
    case TPreviewBackground::Yellow:
        break;
    }
    return Yellow;
}

} // namespace PreviewBackground

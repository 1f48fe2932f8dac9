#pragma once

#include "model/Alignment.h"

#include <QColor>

// The one palette of every window: muted grey-olive tones. Each colour keeps its form
// value (0x00BBGGRR, red in the low byte, as projects and forms store colours) and
// gives the QColor that painting uses. Pages use these names, never literals.
class TPaletteColor
{
public:
    constexpr explicit TPaletteColor(TColor Value) : FValue(Value) {}

    constexpr TColor Value() const { return FValue; }
    constexpr int Red() const { return FValue & 0xFF; }
    constexpr int Green() const { return (FValue >> 8) & 0xFF; }
    constexpr int Blue() const { return (FValue >> 16) & 0xFF; }
    QColor Color() const { return QColor(Red(), Green(), Blue()); }
    operator QColor() const { return Color(); }

private:
    TColor FValue;
};

// A stored colour value (0x00BBGGRR) as a QColor, and back.
inline QColor QColorOf(TColor Value)
{
    return TPaletteColor(Value).Color();
}

inline TColor TColorOf(const QColor& Color)
{
    return TColor(Color.red() | (Color.green() << 8) | (Color.blue() << 16));
}

namespace Palette {

// Window and dialog background, menu items, end of every gradient, inspector caption text.
inline constexpr TPaletteColor Base{7437693};
// Page frame, start of the gradient panels and unselected tabs, bottom bars, menu
// separators, disabled menu text and shortcut text.
inline constexpr TPaletteColor Frame{9346204};
// Text on dark backgrounds; menu item text.
inline constexpr TPaletteColor LightText{14803939};
// Menu icon gutter and selected item; start of the menu bar gradient.
inline constexpr TPaletteColor Highlight{11319223};
// Outline of a menu item's icon gutter when the item has an icon.
inline constexpr TPaletteColor GutterOutline{13423314};
// Selected tab gradient.
inline constexpr TPaletteColor SelectedTabStart{8622738};
inline constexpr TPaletteColor SelectedTabEnd{6976885};
// Inspector caption bar and fixed grid cells.
inline constexpr TPaletteColor InspectorFixed{12568776};
// Splitter between preview and inspector.
inline constexpr TPaletteColor DetailsSplitter{7434751};
// Preview frame: background choice bar, image area and test bar, splitter, test memo.
inline constexpr TPaletteColor PreviewBar{11184895};
inline constexpr TPaletteColor PreviewArea{170};
inline constexpr TPaletteColor PreviewSplitter{150};
inline constexpr TPaletteColor PreviewMemo{13816575};
// Inspector grid text and gutter line (maroon).
inline constexpr TPaletteColor InspectorText{128};
// Inspector values that differ from their default (navy).
inline constexpr TPaletteColor ChangedValue{8388608};
// Progress bar fill.
inline constexpr TPaletteColor ProgressFill{16777215};
// The inspector's description memo (the forms' clCream).
inline constexpr TPaletteColor Cream{15793151};
// Behind the line count of a title with a line wider than its box (amber).
inline constexpr TPaletteColor TooWide{5622015};

} // namespace Palette

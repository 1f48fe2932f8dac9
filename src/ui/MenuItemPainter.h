#pragma once

#include "MenuItemInfo.h"

#include <QPainter>
#include <QRect>

// Draws and measures one menu item in the program's palette, so that the main window's
// menus and the pages' popup menus look alike whatever the desktop's menus look like.
class TMenuItemPainter
{
public:
    // The icon gutter ends and the caption begins at fixed x values of the painter, not
    // at offsets from Rect's left edge, so every item of a menu lines up on them.
    static constexpr int GutterEnd = 25;
    static constexpr int CaptionLeft = 30;
    static constexpr int IconOffset = 4;
    static constexpr int IconSize = 16;
    static constexpr int SeparatorLineOffset = 7;
    static constexpr int ShortcutRightMargin = 5;

    static void DrawMenuItem(QPainter& Painter, const QRect& Rect, const TMenuItemInfo& Item, bool Selected);

    static int ItemHeight(bool Separator);
};

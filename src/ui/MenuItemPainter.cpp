#include "MenuItemPainter.h"

#include "PainterStateGuard.h"
#include "Palette.h"

#include <qdrawutil.h>

namespace {

// A fixed x value can lie right of an item that starts further right (a second column);
// such an inverted rectangle paints nothing instead of being turned round.
void Fill(QPainter& Painter, const QRect& Rect, const QColor& Color)
{
    if (Rect.isValid())
        Painter.fillRect(Rect, Color);
}

QRect Span(int Left, int Top, int Right, int Bottom)
{
    return QRect(QPoint(Left, Top), QPoint(Right, Bottom));
}

constexpr int OneLine = Qt::TextSingleLine | Qt::TextDontClip | Qt::AlignVCenter;

} // namespace

void TMenuItemPainter::DrawMenuItem(QPainter& Painter, const QRect& Rect, const TMenuItemInfo& Item, bool Selected)
{
    const TPainterStateGuard Guard(Painter);
    const bool HasIcon = !Item.Icon.isNull();

    Fill(Painter, Rect, Palette::Base);

    const QRect Gutter = Span(Rect.left(), Rect.top(), GutterEnd - 1, Rect.bottom());
    Fill(Painter, Gutter, Palette::Highlight);
    if (HasIcon && Gutter.isValid())
        qDrawPlainRect(&Painter, Gutter, Palette::GutterOutline, 1);

    const QRect CaptionArea = Span(CaptionLeft, Rect.top(), Rect.right(), Rect.bottom());
    if (Selected)
        Fill(Painter, Rect, Palette::Highlight);
    else
        Fill(Painter, CaptionArea, Palette::Base);

    if (HasIcon) {
        const QRect IconRect(Rect.left() + IconOffset, Rect.top() + IconOffset, IconSize, IconSize);
        Item.Icon.paint(&Painter, IconRect, Qt::AlignCenter, Item.Enabled ? QIcon::Normal : QIcon::Disabled);
    }

    Painter.setBackgroundMode(Qt::TransparentMode);
    if (Item.IsSeparator()) {
        const int LineY = Rect.top() + SeparatorLineOffset;
        Fill(Painter, Span(Rect.left() + CaptionLeft, LineY, Rect.right(), LineY), Palette::Frame);
    } else {
        Painter.setPen(Item.Enabled ? Palette::LightText.Color() : Palette::Frame.Color());
        Painter.drawText(CaptionArea, OneLine | Qt::AlignLeft | Qt::TextShowMnemonic, Item.Caption);
    }

    if (!Item.Shortcut.isEmpty()) {
        Painter.setPen(Palette::Frame.Color());
        Painter.drawText(Span(Rect.left(), Rect.top(), Rect.right() - ShortcutRightMargin, Rect.bottom()),
                         OneLine | Qt::AlignRight, Item.Shortcut);
    }
}

int TMenuItemPainter::ItemHeight(bool Separator)
{
    return Separator ? 15 : 25;
}

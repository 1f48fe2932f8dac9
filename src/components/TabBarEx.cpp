#include "TabBarEx.h"

#include "GradientFill.h"

#include <QApplication>
#include <QDrag>
#include <QDragEnterEvent>
#include <QDragLeaveEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QFontMetrics>
#include <QMimeData>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPen>

namespace {

const QString CloseMark = QStringLiteral("X");
// Gap between the caption and the tab's left edge, room kept free at its right end for
// the close mark, and gap between the close mark and the right edge.
constexpr int CaptionLeftMargin = 5;
constexpr int CaptionRightMargin = 15;
constexpr int CloseMarkRightMargin = 5;
constexpr int DropMarkWidth = 2;
// The bar's own drags carry the dragged tab's index under this type. Drops take any
// data: whatever is dropped, only the current tab moves.
const QString TabDragMimeType = QStringLiteral("application/x-nuvex-tab");

bool IsVerticalShape(QTabBar::Shape Shape)
{
    switch (Shape) {
    case QTabBar::RoundedWest:
    case QTabBar::RoundedEast:
    case QTabBar::TriangularWest:
    case QTabBar::TriangularEast:
        return true;
    default:
        return false;
    }
}

} // namespace

TTabBarEx::TTabBarEx(QWidget* Parent)
    : QTabBar(Parent)
{
    // Every tab is exactly TabWidth wide, and the gradients are the only decoration.
    setExpanding(false);
    setDrawBase(false);
    setAcceptDrops(true);
}

void TTabBarEx::SetAllowDrag(bool Value)
{
    FAllowDrag = Value;
    if (!Value)
        FDragArmed = false;
}

void TTabBarEx::SetShowCloseButton(bool Value)
{
    if (FShowCloseButton == Value)
        return;
    FShowCloseButton = Value;
    update();
}

void TTabBarEx::SetColor(QColor& Field, const QColor& Value)
{
    if (Field == Value)
        return;
    Field = Value;
    update();
}

void TTabBarEx::SetTabStartColor(const QColor& Value)
{
    SetColor(FTabStartColor, Value);
}

void TTabBarEx::SetTabEndColor(const QColor& Value)
{
    SetColor(FTabEndColor, Value);
}

void TTabBarEx::SetSelectedTabStartColor(const QColor& Value)
{
    SetColor(FSelectedTabStartColor, Value);
}

void TTabBarEx::SetSelectedTabEndColor(const QColor& Value)
{
    SetColor(FSelectedTabEndColor, Value);
}

void TTabBarEx::SetTabWidth(int Value)
{
    if (FTabWidth == Value)
        return;
    FTabWidth = Value;
    // QTabBar caches the tab sizes; re-setting the elide mode is its public way to lay the
    // tabs out again (the mode itself does not matter, the bar elides captions itself).
    setElideMode(elideMode());
    updateGeometry();
}

QRect TTabBarEx::TabRect(int Index) const
{
    QRect Rect = tabRect(Index);
    if (Rect.isNull())
        return Rect;
    if (IsVerticalShape(shape()))
        Rect.setHeight(FTabWidth);
    else
        Rect.setWidth(FTabWidth);
    return Rect;
}

QSize TTabBarEx::tabSizeHint(int Index) const
{
    QSize Size = QTabBar::tabSizeHint(Index);
    if (IsVerticalShape(shape()))
        Size.setHeight(FTabWidth + TabSpacing);
    else
        Size.setWidth(FTabWidth + TabSpacing);
    return Size;
}

QSize TTabBarEx::minimumTabSizeHint(int Index) const
{
    return tabSizeHint(Index);
}

void TTabBarEx::paintEvent(QPaintEvent* Event)
{
    QPainter Painter(this);
    for (int Index = 0; Index < count(); ++Index) {
        const QRect Rect = TabRect(Index);
        if (isTabVisible(Index) && Rect.intersects(Event->rect()))
            DrawTab(Painter, Index, Rect, Index == currentIndex());
    }
    if (FDropTarget >= 0 && FDropTarget < count()) {
        // A pen of width 2 on a rectangle inset by 1 covers exactly the 2 px inside the tab.
        const qreal Inset = DropMarkWidth / 2.0;
        Painter.setPen(QPen(Qt::black, DropMarkWidth));
        Painter.setBrush(Qt::NoBrush);
        Painter.drawRect(QRectF(TabRect(FDropTarget)).adjusted(Inset, Inset, -Inset, -Inset));
    }
}

void TTabBarEx::DrawTab(QPainter& Painter, int Index, const QRect& Rect, bool Active) const
{
    const QColor Start = ResolveButtonFace(Active ? FSelectedTabStartColor : FTabStartColor, palette());
    const QColor End = ResolveButtonFace(Active ? FSelectedTabEndColor : FTabEndColor, palette());
    FillGradient(Painter, Rect, Start, End, true);

    Painter.setPen(palette().color(foregroundRole()));
    const QFontMetrics Metrics(font());
    const int TextFlags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextShowMnemonic;
    const QRect CaptionRect = Rect.adjusted(CaptionLeftMargin, 0, -CaptionRightMargin, 0);
    const QString Caption = Metrics.elidedText(tabText(Index), Qt::ElideRight, CaptionRect.width(),
        Qt::TextShowMnemonic);
    Painter.drawText(CaptionRect, TextFlags, Caption);

    if (FShowCloseButton)
        Painter.drawText(Rect.adjusted(0, 0, -CloseMarkRightMargin, 0),
            Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine, CloseMark);
}

void TTabBarEx::mousePressEvent(QMouseEvent* Event)
{
    QTabBar::mousePressEvent(Event);
    if (Event->button() != Qt::LeftButton)
        return;
    const QPoint Point = Event->position().toPoint();
    if (FShowCloseButton) {
        const int MarkWidth = QFontMetrics(font()).horizontalAdvance(CloseMark);
        for (int Index = 0; Index < count(); ++Index) {
            const QRect Rect = TabRect(Index);
            const QRect CloseBox(Rect.left() + Rect.width() - MarkWidth - CloseMarkRightMargin, Rect.top(),
                MarkWidth + CloseMarkRightMargin, Rect.height());
            if (isTabVisible(Index) && CloseBox.contains(Point)) {
                // The tab under the press is gone afterwards: a drag from here would carry
                // whichever page took its place.
                emit CloseMarkPressed(Index);
                return;
            }
        }
    }
    if (FAllowDrag) {
        FDragArmed = true;
        FDragStart = Point;
    }
}

void TTabBarEx::mouseMoveEvent(QMouseEvent* Event)
{
    if (FDragArmed && (Event->buttons() & Qt::LeftButton)
        && (Event->position().toPoint() - FDragStart).manhattanLength() >= QApplication::startDragDistance())
    {
        FDragArmed = false;
        auto* Data = new QMimeData;
        Data->setData(TabDragMimeType, QByteArray::number(currentIndex()));
        // Qt owns and disposes of the drag once it has ended.
        auto* Drag = new QDrag(this);
        Drag->setMimeData(Data);
        Drag->exec(Qt::MoveAction);
        return;
    }
    QTabBar::mouseMoveEvent(Event);
}

void TTabBarEx::mouseReleaseEvent(QMouseEvent* Event)
{
    FDragArmed = false;
    QTabBar::mouseReleaseEvent(Event);
}

void TTabBarEx::dragEnterEvent(QDragEnterEvent* Event)
{
    // With fewer than two pages there is nowhere to move one to.
    if (count() > 1)
        Event->acceptProposedAction();
    else
        Event->ignore();
}

void TTabBarEx::dragMoveEvent(QDragMoveEvent* Event)
{
    if (count() < 2) {
        Event->ignore();
        return;
    }
    Event->acceptProposedAction();
    SetDropTarget(FirstTabAt(Event->position().toPoint(), true));
}

void TTabBarEx::dragLeaveEvent(QDragLeaveEvent* Event)
{
    SetDropTarget(-1);
    QTabBar::dragLeaveEvent(Event);
}

void TTabBarEx::dropEvent(QDropEvent* Event)
{
    const int Target = FirstTabAt(Event->position().toPoint(), false);
    const int Current = currentIndex();
    if (Target >= 0 && Current >= 0 && Target != Current)
        moveTab(Current, Target);
    Event->acceptProposedAction();
    SetDropTarget(-1);
}

void TTabBarEx::SetDropTarget(int Index)
{
    if (FDropTarget == Index)
        return;
    FDropTarget = Index;
    update();
}

int TTabBarEx::FirstTabAt(const QPoint& Point, bool SkipCurrent) const
{
    for (int Index = 0; Index < count(); ++Index) {
        if (SkipCurrent && Index == currentIndex())
            continue;
        if (isTabVisible(Index) && TabRect(Index).contains(Point))
            return Index;
    }
    return -1;
}

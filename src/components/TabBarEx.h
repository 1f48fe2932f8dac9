#pragma once

#include <QColor>
#include <QPoint>
#include <QTabBar>

// The tab bar of TPageControlEx. It draws every tab itself: a vertical two-colour
// gradient (one pair for the current tab, one for the others), the caption on one line,
// shortened with an ellipsis so that the rightmost 15 px stay free, and optionally a
// close mark "X" at the right end. It also carries the reordering by drag and drop:
// dropping on a tab moves the current tab (and, in a QTabWidget, its page) there.
//
// Colours are plain QColors; the default, an invalid QColor, stands for the platform's
// button face and is resolved from the palette each time the bar paints. Captions use
// the bar's font and its foreground colour (palette).
class TTabBarEx : public QTabBar
{
    Q_OBJECT

public:
    explicit TTabBarEx(QWidget* Parent = nullptr);

    // A left press starts a drag of the current tab once the mouse has moved beyond the
    // platform's drag distance.
    bool AllowDrag() const { return FAllowDrag; }
    void SetAllowDrag(bool Value);

    // Each tab shows "X" at its right end; a left press on it raises CloseMarkPressed.
    bool ShowCloseButton() const { return FShowCloseButton; }
    void SetShowCloseButton(bool Value);

    // Top and bottom colours of the tabs other than the current one.
    QColor TabStartColor() const { return FTabStartColor; }
    void SetTabStartColor(const QColor& Value);
    QColor TabEndColor() const { return FTabEndColor; }
    void SetTabEndColor(const QColor& Value);

    // Top and bottom colours of the current tab.
    QColor SelectedTabStartColor() const { return FSelectedTabStartColor; }
    void SetSelectedTabStartColor(const QColor& Value);
    QColor SelectedTabEndColor() const { return FSelectedTabEndColor; }
    void SetSelectedTabEndColor(const QColor& Value);

    // Extent of every tab along the bar, in pixels.
    int TabWidth() const { return FTabWidth; }
    void SetTabWidth(int Value);

    // Free pixels after every tab, so that tabs of the same colours stand apart like a row
    // of buttons.
    static constexpr int TabSpacing = 3;

    // The rectangle tab Index is drawn in and answers the mouse in: QTabBar's rectangle of
    // the tab without the spacing after it. Null for an index out of range.
    QRect TabRect(int Index) const;

signals:
    // A left press hit the close mark of tab Index (after the press selected that tab).
    void CloseMarkPressed(int Index);

protected:
    QSize tabSizeHint(int Index) const override;
    QSize minimumTabSizeHint(int Index) const override;

    void paintEvent(QPaintEvent* Event) override;
    void mousePressEvent(QMouseEvent* Event) override;
    void mouseMoveEvent(QMouseEvent* Event) override;
    void mouseReleaseEvent(QMouseEvent* Event) override;
    void dragEnterEvent(QDragEnterEvent* Event) override;
    void dragMoveEvent(QDragMoveEvent* Event) override;
    void dragLeaveEvent(QDragLeaveEvent* Event) override;
    void dropEvent(QDropEvent* Event) override;

private:
    void DrawTab(QPainter& Painter, int Index, const QRect& Rect, bool Active) const;
    void SetColor(QColor& Field, const QColor& Value);
    void SetDropTarget(int Index);
    // The first tab whose rectangle holds Point, -1 for none; with SkipCurrent the
    // current tab is passed over.
    int FirstTabAt(const QPoint& Point, bool SkipCurrent) const;

    bool FAllowDrag = false;
    bool FShowCloseButton = false;
    QColor FTabStartColor;
    QColor FTabEndColor;
    QColor FSelectedTabStartColor;
    QColor FSelectedTabEndColor;
    int FTabWidth = 100;
    // Where the left press that may turn into a drag happened.
    bool FDragArmed = false;
    QPoint FDragStart;
    // The tab outlined as the target of the drag over the bar, -1 for none.
    int FDropTarget = -1;
};

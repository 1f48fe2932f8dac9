#pragma once

#include <QColor>
#include <QTabWidget>

class TTabBarEx;

// A set of pages with button-style tabs: the tab bar (TTabBarEx) draws flat, button-like
// tabs, TabWidth wide and a few pixels apart (TTabBarEx::TabSpacing), each filled with a
// vertical gradient (one colour pair for the current tab, one for the others) and
// captioned on one line, shortened with an ellipsis when it does not fit; the pages have
// no frame around them (document mode). Optionally every tab carries a close mark "X"
// whose left press destroys that tab's page, and the current tab can be dragged onto
// another tab to move its page to that position.
//
// The current tab is QTabWidget's current index. Colours are plain QColors; the default,
// an invalid QColor, stands for the platform's button face.
class TPageControlEx : public QTabWidget
{
    Q_OBJECT

public:
    explicit TPageControlEx(QWidget* Parent = nullptr);

    TTabBarEx* TabBarEx() const { return FTabBar; }

    // A left press on a tab starts a drag of the current tab (reordering).
    bool AllowDrag() const;
    void SetAllowDrag(bool Value);

    // Each tab shows "X" at its right end; a left press on it deletes the tab's page.
    bool ShowCloseButton() const;
    void SetShowCloseButton(bool Value);

    // Top and bottom colours of the tabs other than the current one.
    QColor TabStartColor() const;
    void SetTabStartColor(const QColor& Value);
    QColor TabEndColor() const;
    void SetTabEndColor(const QColor& Value);

    // Top and bottom colours of the current tab.
    QColor SelectedTabStartColor() const;
    void SetSelectedTabStartColor(const QColor& Value);
    QColor SelectedTabEndColor() const;
    void SetSelectedTabEndColor(const QColor& Value);

    // Width of every tab in pixels; 100 by default.
    int TabWidth() const;
    void SetTabWidth(int Value);

private:
    TTabBarEx* FTabBar;
};

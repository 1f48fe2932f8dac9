#pragma once

#include <QProxyStyle>

class QMenu;

// Draws menus in the program's palette: every item through TMenuItemPainter, the panel
// in the base colour inside a one-pixel frame, items 25 px high and separators 15 px.
// Everything else is left to the desktop's style.
class TMenuStyle : public QProxyStyle
{
    Q_OBJECT

public:
    // Gives Menu the shared menu style and the window font; its submenus, now and
    // whenever one is added later, get the same.
    static void Install(QMenu* Menu);

    void drawPrimitive(PrimitiveElement Element, const QStyleOption* Option, QPainter* Painter,
                       const QWidget* Widget = nullptr) const override;
    void drawControl(ControlElement Element, const QStyleOption* Option, QPainter* Painter,
                     const QWidget* Widget = nullptr) const override;
    QSize sizeFromContents(ContentsType Type, const QStyleOption* Option, const QSize& ContentsSize,
                           const QWidget* Widget = nullptr) const override;
    int pixelMetric(PixelMetric Metric, const QStyleOption* Option = nullptr,
                    const QWidget* Widget = nullptr) const override;

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    TMenuStyle() = default;

    static TMenuStyle* Shared();
};

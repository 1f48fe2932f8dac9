#include "GradientFill.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPalette>
#include <QRect>

QColor ResolveButtonFace(const QColor& Color, const QPalette& Palette)
{
    return Color.isValid() ? Color : Palette.color(QPalette::Button);
}

void FillGradient(QPainter& Painter, const QRect& Area, const QColor& StartColor, const QColor& EndColor,
    bool Vertical)
{
    if (Area.isEmpty())
        return;
    // The raster engine samples a gradient at pixel centres; shifting both ends by half a
    // pixel makes each row (column) take the colour at its leading edge.
    const QPointF From = QPointF(Area.topLeft()) + QPointF(0.5, 0.5);
    const QPointF To = Vertical ? QPointF(From.x(), From.y() + Area.height())
                                : QPointF(From.x() + Area.width(), From.y());
    QLinearGradient Gradient(From, To);
    Gradient.setColorAt(0, StartColor);
    Gradient.setColorAt(1, EndColor);
    Painter.fillRect(Area, Gradient);
}

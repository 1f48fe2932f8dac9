#include "Shape.h"

#include <QPainter>

TShape::TShape(QWidget* Parent)
    : QWidget(Parent)
{
}

void TShape::SetPenColor(const QColor& Value)
{
    if (FPenColor == Value)
        return;
    FPenColor = Value;
    update();
}

void TShape::paintEvent(QPaintEvent*)
{
    QPainter Painter(this);
    Painter.setPen(FPenColor);
    Painter.setBrush(Qt::NoBrush);
    Painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

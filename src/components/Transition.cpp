#include "Transition.h"

#include "GradientFill.h"

#include <QPainter>
#include <QPainterPath>
#include <QRegion>

namespace {

// Corners of the rounded outline are quarters of a 10 x 10 ellipse.
constexpr qreal RoundCornerRadius = 5;

} // namespace

TTransition::TTransition(QWidget* Parent)
    : QWidget(Parent)
{
}

void TTransition::SetBeginColor(const QColor& Value)
{
    if (FBeginColor == Value)
        return;
    FBeginColor = Value;
    update();
}

void TTransition::SetEndColor(const QColor& Value)
{
    if (FEndColor == Value)
        return;
    FEndColor = Value;
    update();
}

void TTransition::SetVertical(bool Value)
{
    if (FVertical == Value)
        return;
    FVertical = Value;
    update();
}

void TTransition::SetShape(TTransitionShape Value)
{
    if (FShape == Value)
        return;
    FShape = Value;
    ApplyShape();
}

void TTransition::SetTransitionMode(TTransitionMode Value)
{
    if (FTransitionMode == Value)
        return;
    FTransitionMode = Value;
    update();
}

void TTransition::paintEvent(QPaintEvent* /*Event*/)
{
    {
        QPainter Painter(this);
        const QColor Begin = ResolveButtonFace(FBeginColor, palette());
        const QColor End = ResolveButtonFace(FEndColor, palette());
        const QRect Area = rect();
        if (FTransitionMode == tmNormal) {
            FillGradient(Painter, Area, Begin, End, FVertical);
        } else {
            QRect First = Area;
            QRect Second = Area;
            if (FVertical) {
                First.setHeight(Area.height() / 2);
                Second.setTop(First.bottom() + 1);
            } else {
                First.setWidth(Area.width() / 2);
                Second.setLeft(First.right() + 1);
            }
            FillGradient(Painter, First, Begin, End, FVertical);
            FillGradient(Painter, Second, End, Begin, FVertical);
        }
    }
    emit Painted();
}

void TTransition::resizeEvent(QResizeEvent* Event)
{
    QWidget::resizeEvent(Event);
    ApplyShape();
}

void TTransition::ApplyShape()
{
    switch (FShape) {
    case shRectangle:
        clearMask();
        break;
    case shRoundRect: {
        QPainterPath Outline;
        Outline.addRoundedRect(QRectF(rect()), RoundCornerRadius, RoundCornerRadius);
        setMask(QRegion(Outline.toFillPolygon().toPolygon()));
        break;
    }
    case shEllipse:
        setMask(QRegion(rect(), QRegion::Ellipse));
        break;
    }
    update();
}

#pragma once

#include <QColor>
#include <QWidget>

// Outline of a gradient panel; outside it the panel neither paints nor takes mouse input.
enum TTransitionShape
{
    shRectangle,
    shRoundRect,
    shEllipse,
};

// tmNormal: one gradient over the whole panel; tmReflect: mirrored at the middle, the
// end colour along the middle and the begin colour along both outer edges.
enum TTransitionMode
{
    tmNormal,
    tmReflect,
};

// A container that paints its area with a two-colour linear gradient and can clip itself
// to a rounded rectangle or an ellipse. Children (labels, for example) draw over it.
//
// Colours are plain QColors; the default, an invalid QColor, stands for the platform's
// button face and is resolved from the palette each time the panel paints.
class TTransition : public QWidget
{
    Q_OBJECT

public:
    explicit TTransition(QWidget* Parent = nullptr);

    // Colour at the top (Vertical) or left edge.
    QColor BeginColor() const { return FBeginColor; }
    void SetBeginColor(const QColor& Value);

    // Colour at the bottom (Vertical) or right edge.
    QColor EndColor() const { return FEndColor; }
    void SetEndColor(const QColor& Value);

    // true: the gradient runs top to bottom; false: left to right.
    bool Vertical() const { return FVertical; }
    void SetVertical(bool Value);

    TTransitionShape Shape() const { return FShape; }
    void SetShape(TTransitionShape Value);

    TTransitionMode TransitionMode() const { return FTransitionMode; }
    void SetTransitionMode(TTransitionMode Value);

signals:
    // Raised at the end of every paint event, after the gradient; a handler may paint
    // over it with a QPainter on the panel (the panel's own painter is closed by then).
    void Painted();

protected:
    void paintEvent(QPaintEvent* Event) override;
    void resizeEvent(QResizeEvent* Event) override;

private:
    void ApplyShape();

    QColor FEndColor;
    QColor FBeginColor;
    bool FVertical = false;
    TTransitionShape FShape = shRectangle;
    TTransitionMode FTransitionMode = tmNormal;
};

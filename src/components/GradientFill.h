#pragma once

#include <QColor>

class QPainter;
class QPalette;
class QRect;

// Colour properties of the gradient controls hold an invalid QColor for the platform's
// button face, so the controls follow a palette change instead of keeping a copy of it.
QColor ResolveButtonFace(const QColor& Color, const QPalette& Palette);

// Fills Area with a two-colour gradient that varies only along one axis: top to bottom
// when Vertical, left to right otherwise. Each channel runs linearly from StartColor on
// the first edge to EndColor on the opposite edge, every row (or column) taking the
// colour at its leading edge: the first one is exactly StartColor, and EndColor lies on
// the far edge, where a mirrored half that starts with it continues seamlessly.
void FillGradient(QPainter& Painter, const QRect& Area, const QColor& StartColor, const QColor& EndColor,
    bool Vertical);

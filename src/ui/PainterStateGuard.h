#pragma once

#include <QPainter>

// Keeps a borrowed painter's pen, brush, font and transformation as they were, on
// every way out of the drawing code.
class TPainterStateGuard
{
public:
    explicit TPainterStateGuard(QPainter& Painter) : FPainter(Painter) { FPainter.save(); }
    ~TPainterStateGuard() { FPainter.restore(); }
    TPainterStateGuard(const TPainterStateGuard&) = delete;
    TPainterStateGuard& operator=(const TPainterStateGuard&) = delete;

private:
    QPainter& FPainter;
};

#pragma once

#include <QColor>
#include <QWidget>

// A rectangle outline around the widget's area, one pixel wide. Its children are laid
// out inside it; it takes no mouse input of its own.
class TShape : public QWidget
{
    Q_OBJECT

public:
    explicit TShape(QWidget* Parent = nullptr);

    QColor PenColor() const { return FPenColor; }
    void SetPenColor(const QColor& Value);

protected:
    void paintEvent(QPaintEvent* Event) override;

private:
    QColor FPenColor = Qt::black;
};

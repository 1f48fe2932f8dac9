#include "PlainSplitter.h"

#include <QPainter>
#include <QSplitterHandle>

namespace {

class TPlainSplitterHandle : public QSplitterHandle
{
public:
    TPlainSplitterHandle(Qt::Orientation Orientation, TPlainSplitter* Parent)
        : QSplitterHandle(Orientation, Parent)
        , FColor(Parent->HandleColor())
    {
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter Painter(this);
        Painter.fillRect(rect(), FColor);
    }

private:
    QColor FColor;
};

} // namespace

TPlainSplitter::TPlainSplitter(Qt::Orientation Orientation, const QColor& HandleColor, QWidget* Parent)
    : QSplitter(Orientation, Parent)
    , FHandleColor(HandleColor)
{
    setOpaqueResize(true);
}

QSplitterHandle* TPlainSplitter::createHandle()
{
    return new TPlainSplitterHandle(orientation(), this);
}

#include "PropertyGridHeader.h"

#include "PropertyGridDelegate.h"

TPropertyGridHeader::TPropertyGridHeader(const TPropertyGridDelegate* Delegate, QWidget* Parent)
    : QHeaderView(Qt::Horizontal, Parent)
    , FDelegate(Delegate)
{
    setSectionsClickable(false);
    setHighlightSections(false);
    setSectionResizeMode(QHeaderView::Interactive);
    // The value column takes whatever width the key column leaves, whenever the grid or
    // the key column changes size.
    setStretchLastSection(true);
}

void TPropertyGridHeader::SetRowHeight(int Pixels)
{
    if (FRowHeight == Pixels)
        return;
    FRowHeight = Pixels;
    updateGeometry();
}

QSize TPropertyGridHeader::sizeHint() const
{
    QSize Size = QHeaderView::sizeHint();
    Size.setHeight(FRowHeight);
    return Size;
}

void TPropertyGridHeader::paintSection(QPainter* Painter, const QRect& Rect, int LogicalIndex) const
{
    FDelegate->PaintTitleCell(Painter, Rect, LogicalIndex,
                              model() ? model()->headerData(LogicalIndex, orientation()).toString() : QString());
}

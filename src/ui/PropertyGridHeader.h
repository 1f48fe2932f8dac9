#pragma once

#include <QHeaderView>

class TPropertyGridDelegate;

// The grid's title row. It stays in place while the rows scroll, as a fixed row should,
// and leaves its painting to the grid's delegate, so the title cells follow the same
// rules as every other cell.
class TPropertyGridHeader : public QHeaderView
{
    Q_OBJECT

public:
    TPropertyGridHeader(const TPropertyGridDelegate* Delegate, QWidget* Parent);

    // As high as a grid row.
    void SetRowHeight(int Pixels);
    QSize sizeHint() const override;

protected:
    void paintSection(QPainter* Painter, const QRect& Rect, int LogicalIndex) const override;

private:
    const TPropertyGridDelegate* FDelegate;
    int FRowHeight = 18;
};

#pragma once

#include <QColor>
#include <QSplitter>

// A splitter whose handles are bars of one plain colour, without the style's grip: the
// preview's and the details' three-pixel bars. Resizing is live.
class TPlainSplitter : public QSplitter
{
    Q_OBJECT

public:
    TPlainSplitter(Qt::Orientation Orientation, const QColor& HandleColor, QWidget* Parent = nullptr);

    QColor HandleColor() const { return FHandleColor; }

protected:
    QSplitterHandle* createHandle() override;

private:
    QColor FHandleColor;
};

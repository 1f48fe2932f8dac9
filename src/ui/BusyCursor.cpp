#include "BusyCursor.h"

#include <QApplication>
#include <QCursor>

TBusyCursor::TBusyCursor(Qt::CursorShape Shape)
{
    QApplication::setOverrideCursor(QCursor(Shape));
}

TBusyCursor::~TBusyCursor()
{
    QApplication::restoreOverrideCursor();
}

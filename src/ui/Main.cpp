#include "Main.h"

#include "model/ProductInfo.h"

#include <QGuiApplication>
#include <QScreen>

TFoMain::TFoMain(QWidget* Parent)
    : QMainWindow(Parent)
{
    setWindowTitle(TProductInfo::Title());
    if (const QScreen* Screen = QGuiApplication::primaryScreen()) {
        const QRect Available = Screen->availableGeometry();
        resize(Available.width() * 9 / 10, Available.height() * 9 / 10);
    }
}

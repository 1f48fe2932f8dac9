#include "model/ProductInfo.h"
#include "ui/Main.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication Application(argc, argv);
    QApplication::setApplicationName(TProductInfo::Name());
    QApplication::setApplicationVersion(TProductInfo::Version());
    QApplication::setApplicationDisplayName(TProductInfo::Title());

    TFoMain Window;
    Window.show();
    return QApplication::exec();
}

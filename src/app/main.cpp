#include "model/ProductInfo.h"
#include "ui/Application.h"
#include "ui/Main.h"

int main(int argc, char* argv[])
{
    TApplication Application(argc, argv);
    TApplication::setApplicationName(TProductInfo::Name());
    TApplication::setApplicationVersion(TProductInfo::Version());
    TApplication::setApplicationDisplayName(TProductInfo::Title());

    TFoMain Window;
    Window.show();
    return TApplication::exec();
}

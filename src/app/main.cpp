#include "model/ProductInfo.h"
#include "model/QtTranslations.h"
#include "ui/Application.h"
#include "ui/Icons.h"
#include "ui/Main.h"

int main(int argc, char* argv[])
{
    TApplication Application(argc, argv);
    TQtTranslations::Install();
    // The machine name names the user's data folder and ties the windows to the launcher.
    TApplication::setApplicationName(TProductInfo::MachineName());
    TApplication::setApplicationVersion(TProductInfo::Version());
    TApplication::setDesktopFileName(TProductInfo::MachineName());
    TApplication::setWindowIcon(TIcons::Icon(TIcons::TRole::Application));

    TFoMain Window;
    // The launcher and the file manager pass the project to open.
    const QStringList Arguments = TApplication::arguments();
    if (Arguments.size() == 2)
        Window.SetStartupProject(Arguments.at(1));
    Window.show();
    return TApplication::exec();
}

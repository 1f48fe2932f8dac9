#include "QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

bool TQtTranslations::Install()
{
    QCoreApplication* Application = QCoreApplication::instance();
    if (!Application)
        return false;
    // Owned by the application object, which keeps using it until it ends.
    auto* Translator = new QTranslator(Application);
    if (!Translator->load(QStringLiteral("qtbase_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))
        || !QCoreApplication::installTranslator(Translator)) {
        delete Translator;
        return false;
    }
    return true;
}

#include "Icons.h"

#include <QString>

// The fallback pictures are compiled into this static library; the linker keeps their
// object only when something names it, and Q_INIT_RESOURCE must stand outside any namespace.
static void InitIconResources()
{
    Q_INIT_RESOURCE(icons);
}

namespace {

struct TIconNames
{
    const char* Theme;    // freedesktop icon naming
    const char* Fallback; // file in the compiled-in resources
};

TIconNames NamesOf(TIcons::TRole Role)
{
    switch (Role) {
    case TIcons::TRole::NewProject: return {"document-new", "new-project"};
    case TIcons::TRole::OpenProject: return {"document-open", "open-project"};
    case TIcons::TRole::SaveProject: return {"document-save", "save-project"};
    case TIcons::TRole::OpenDocument: return {"document-open", "open-document"};
    case TIcons::TRole::AddDocument: return {"list-add", "add-document"};
    case TIcons::TRole::RemoveDocument: return {"list-remove", "remove-document"};
    case TIcons::TRole::PreviousTitle: return {"go-up", "go-up"};
    case TIcons::TRole::NextTitle: return {"go-down", "go-down"};
    case TIcons::TRole::Start: return {"media-playback-start", "start"};
    case TIcons::TRole::Stop: return {"media-playback-stop", "stop"};
    case TIcons::TRole::OpenSubtitle: return {"document-open", "open-subtitle"};
    case TIcons::TRole::Explore: return {"system-file-manager", "explore"};
    case TIcons::TRole::SaveAll: return {"document-save-all", "save-all"};
    case TIcons::TRole::Application: return {"nuvex-subtitle-maker", "nuvex-subtitle-maker"};
    }
    return {"", ""};
}

} // namespace

QIcon TIcons::Icon(TRole Role)
{
    static const bool ResourcesReady = (InitIconResources(), true);
    Q_UNUSED(ResourcesReady);
    const TIconNames Names = NamesOf(Role);
    const QIcon Fallback(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(Names.Fallback)));
    return QIcon::fromTheme(QLatin1String(Names.Theme), Fallback);
}

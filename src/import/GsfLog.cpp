#include "GsfLog.h"

#include <glib.h>

#include <cstring>
#include <mutex>

Q_LOGGING_CATEGORY(lcGsf, "nuvex.import.libgsf", QtWarningMsg)

namespace {

void RouteMessage(const gchar* Domain, GLogLevelFlags Level, const gchar* Message, gpointer)
{
    // libgsf logs under "libgsf" and sub-domains such as "libgsf:msole"; everything else
    // in the process keeps GLib's own handling.
    if (!Domain || std::strncmp(Domain, "libgsf", 6) != 0) {
        g_log_default_handler(Domain, Level, Message, nullptr);
        return;
    }
    qCDebug(lcGsf, "%s: %s", Domain, Message);
}

} // namespace

void TGsfLog::Install()
{
    static std::once_flag Installed;
    std::call_once(Installed, [] { g_log_set_default_handler(RouteMessage, nullptr); });
}

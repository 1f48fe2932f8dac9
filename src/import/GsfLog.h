#pragma once

#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcGsf)

// libgsf reports oddities of the compound files it reads ("Unknown stream type") as GLib
// warnings on standard error. The reader's own error message is what the user sees, so
// these go to the logging category lcGsf ("nuvex.import.libgsf"), which is silent unless
// enabled, instead of the terminal.
class TGsfLog
{
public:
    // Routes libgsf's messages; installed once, the first time a compound file is read.
    static void Install();
};

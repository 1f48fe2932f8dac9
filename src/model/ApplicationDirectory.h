#pragma once

#include <QString>

// The directory of the running executable, without a trailing separator. The
// attribute file, the title template and the dialogs' start folders live there.
QString ApplicationDirectory();

#pragma once

#include "model/Error.h"

// Ends a command silently: the code that raises it has already told the user (the
// inspector's rejection box), so the general error handler shows nothing more.
class EAbort : public EError
{
public:
    EAbort() : EError(QString()) {}
};

#pragma once

#include "model/Error.h"

// Keys of unlike classes were compared.
class ECompareException : public EError
{
public:
    using EError::EError;
};

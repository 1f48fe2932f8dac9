#pragma once

#include "Error.h"

// A text that does not convert to the value a property or field needs.
class EConvertError : public EError
{
public:
    using EError::EError;
};

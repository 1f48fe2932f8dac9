#pragma once

#include "Error.h"

// A proposed property value that the object's validation refused.
class EValidation : public EError
{
public:
    using EError::EError;
};

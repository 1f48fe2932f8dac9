#pragma once

#include "Error.h"

// An operation called with arguments it cannot work with.
class EInvalidOp : public EError
{
public:
    using EError::EError;
};

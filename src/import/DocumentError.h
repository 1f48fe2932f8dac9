#pragma once

#include "model/Error.h"

// Raised by the source document readers when a file is not a document of the kind its
// extension names, or its content cannot be turned into lines.
class EDocument : public EError
{
public:
    using EError::EError;
};

#pragma once

#include "model/Error.h"

// An XML document that the parser rejects (not XML, truncated, malformed) or that
// lacks the elements its reader needs; the message gives the reason.
class EXMLDocError : public EError
{
public:
    using EError::EError;
};

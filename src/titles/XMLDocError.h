#pragma once

#include "model/Error.h"

// A title file that the XML parser rejects (not XML, truncated, malformed); the
// message names the file and the parser's reason.
class EXMLDocError : public EError
{
public:
    using EError::EError;
};

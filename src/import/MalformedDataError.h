#pragma once

#include "model/Error.h"

// A structure inside a file is damaged, or of a kind that cannot be read. The message
// says what is wrong but names no file: the reader that knows the file name adds it.
class EMalformedData : public EError
{
public:
    using EError::EError;
};

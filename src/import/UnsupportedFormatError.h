#pragma once

#include "MalformedDataError.h"

// The file is of a kind or version that this reader does not know, rather than damaged.
// The message says which, but names no file: the reader adds it.
class EUnsupportedFormat : public EMalformedData
{
public:
    using EMalformedData::EMalformedData;
};

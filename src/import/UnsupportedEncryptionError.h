#pragma once

#include "MalformedDataError.h"

// The file is encrypted in a way that cannot be decrypted here (another cipher, another
// key scheme). The message says which, but names no file: the reader adds it.
class EUnsupportedEncryption : public EMalformedData
{
public:
    using EMalformedData::EMalformedData;
};

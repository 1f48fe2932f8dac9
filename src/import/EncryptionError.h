#pragma once

#include "MalformedDataError.h"
#include "UnsupportedEncryptionError.h"

#include <QtGlobal>

// The failures of the encryption information that Word, Excel and Office Open XML
// documents share, worded the same for every format that carries it.
class TEncryptionError
{
public:
    // The encryption header's size field does not fit the data it stands in.
    static EMalformedData HeaderSize(quint32 Size);
    // The verifier's salt or hash is not of the size its algorithm gives.
    static EMalformedData SaltSize();
    static EMalformedData VerifierHashSize();
    // A version pair that no known encryption uses.
    static EUnsupportedEncryption UnknownVersion(quint16 Major, quint16 Minor);
};

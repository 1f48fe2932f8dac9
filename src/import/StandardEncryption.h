#pragma once

#include "PackageEncryption.h"

#include <QByteArray>

// "Standard encryption" (EncryptionInfo version 3.2 or 4.2 with the AES flag, Office
// 2007): a binary header, a SHA-1 password hash of 50,000 rounds turned into an AES key,
// and the whole package in AES-ECB.
class TStandardEncryption : public TPackageEncryption
{
public:
    // Info is the whole EncryptionInfo stream, version included. Raises
    // EUnsupportedEncryption for RC4 or hashes other than SHA-1, EMalformedData for a
    // damaged structure.
    explicit TStandardEncryption(QByteArrayView Info);

    std::optional<QByteArray> SecretKey(const QString& Password) const override;
    QByteArray DecryptPackage(const QByteArray& SecretKey, QByteArrayView EncryptedPackage) const override;

private:
    int FKeyBytes = 0;
    QByteArray FSalt;
    QByteArray FEncryptedVerifier;
    QByteArray FEncryptedVerifierHash;
};

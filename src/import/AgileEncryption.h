#pragma once

#include "PackageEncryption.h"

#include <QByteArray>

// "Agile encryption" (EncryptionInfo version 4.4, Office 2010 and later): an XML
// description, a password key hardened by spinCount hash rounds that unlocks a random
// package key, and the package in AES-CBC segments of 4096 bytes with an IV each.
// The package's HMAC (dataIntegrity) is not checked: a damaged package shows up when the
// decrypted ZIP is read, and tampering is no concern of a subtitle reader.
class TAgileEncryption : public TPackageEncryption
{
public:
    // Xml is the EncryptionInfo stream after its 8-byte version and flags. Raises
    // EUnsupportedEncryption for ciphers, chainings, hashes or key encryptors other than
    // AES, CBC, SHA-1/256/384/512 and a password, EMalformedData for a damaged description.
    explicit TAgileEncryption(QByteArrayView Xml);

    std::optional<QByteArray> SecretKey(const QString& Password) const override;
    QByteArray DecryptPackage(const QByteArray& SecretKey, QByteArrayView EncryptedPackage) const override;

private:
    struct TParameters
    {
        QByteArray Salt;
        QByteArray HashAlgorithm; // as OpenSSL names it
        int HashSize = 0;
        int BlockSize = 0;
        int KeyBytes = 0;
    };

    static QByteArray Resized(QByteArray Bytes, qsizetype Size);

    QByteArray PasswordKey(const QByteArray& PasswordHash, QByteArrayView BlockKey) const;

    TParameters FKeyData;
    TParameters FPassword;
    quint32 FSpinCount = 0;
    QByteArray FVerifierInput;
    QByteArray FVerifierHash;
    QByteArray FEncryptedKey;
};

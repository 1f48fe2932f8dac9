#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

// One way in which an Office Open XML package is encrypted inside a compound file: the
// key check against a password and the decryption of the "EncryptedPackage" stream.
class TPackageEncryption
{
public:
    virtual ~TPackageEncryption();

    // The key that decrypts the package, when Password passes the verifier.
    virtual std::optional<QByteArray> SecretKey(const QString& Password) const = 0;

    // EncryptedPackage is the whole stream: an 8-byte plain length, then the cipher text.
    // Raises EMalformedData when the stream is cut short or its length field lies.
    virtual QByteArray DecryptPackage(const QByteArray& SecretKey, QByteArrayView EncryptedPackage) const = 0;

protected:
    // The plain length of the package, checked against the cipher text present: it must
    // fit into the stream once rounded up to whole blocks of BlockSize bytes.
    static qsizetype PlainSize(QByteArrayView EncryptedPackage, qsizetype BlockSize);
};

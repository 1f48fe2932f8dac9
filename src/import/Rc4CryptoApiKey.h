#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The key of "RC4 CryptoAPI" encryption, with which Word and Excel 2002 to 2003 protect
// their binary files: a SHA-1 hash of salt and password, from which every block of a
// stream gets a key of its own.
class TRc4CryptoApiKey
{
public:
    // EncryptionInfo starts at the version (2, 3 or 4 . 2), then Flags(4), HeaderSize(4),
    // the EncryptionHeader and the EncryptionVerifier. Gives nullopt when the password fails
    // the verifier. Raises EUnsupportedEncryption when it names another version or an
    // algorithm other than RC4 with SHA-1, EMalformedData when it is damaged; neither
    // message names the file, the caller adds it (TPasswordError words the password cases).
    static std::optional<TRc4CryptoApiKey> Derive(const QByteArray& EncryptionInfo, const QString& Password);

    // XORs the keystream for stream bytes [StreamOffset, StreamOffset + Size) into Data;
    // every BlockSize bytes of the stream start a new block with a key of its own.
    void Apply(char* Data, qsizetype Size, qint64 StreamOffset, qint64 BlockSize) const;

private:
    TRc4CryptoApiKey(QByteArray PasswordHash, int KeyBytes);

    QByteArray BlockKey(quint32 Block) const;

    QByteArray FPasswordHash;
    int FKeyBytes;
};

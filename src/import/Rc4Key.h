#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The key of plain "RC4 encryption" (MD5-based, version 1.1), with which Word and Excel 97
// and LibreOffice protect binary files: an MD5 hash of password and salt, from which every
// block of a stream gets a 128-bit key of its own.
class TRc4Key
{
public:
    // EncryptionInfo starts at the version (1, 1), then Salt(16), EncryptedVerifier(16),
    // EncryptedVerifierHash(16). Gives nullopt when the password fails the verifier. Raises
    // EUnsupportedEncryption for another version, EMalformedData when the structure is cut
    // short; neither message names the file, the caller adds it.
    static std::optional<TRc4Key> Derive(const QByteArray& EncryptionInfo, const QString& Password);

    // XORs the keystream for stream bytes [StreamOffset, StreamOffset + Size) into Data;
    // every BlockSize bytes of the stream start a new block with a key of its own.
    void Apply(char* Data, qsizetype Size, qint64 StreamOffset, qint64 BlockSize) const;

private:
    explicit TRc4Key(QByteArray PasswordHash);

    QByteArray BlockKey(quint32 Block) const;

    QByteArray FPasswordHash;
};

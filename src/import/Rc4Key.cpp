#include "Rc4Key.h"

#include "ByteCursor.h"
#include "UnsupportedEncryptionError.h"
#include "MessageDigest.h"
#include "Rc4Cipher.h"
#include "Utf16LittleEndian.h"

namespace
{
constexpr int SaltSize = 16;
constexpr int VerifierSize = 16;
constexpr int TruncatedHashSize = 5;
constexpr int Repetitions = 16;
} // namespace

TRc4Key::TRc4Key(QByteArray PasswordHash)
    : FPasswordHash(std::move(PasswordHash))
{
}

std::optional<TRc4Key> TRc4Key::Derive(const QByteArray& EncryptionInfo, const QString& Password)
{
    TByteCursor Cursor(EncryptionInfo);
    const quint16 Major = Cursor.ReadUInt16();
    const quint16 Minor = Cursor.ReadUInt16();
    if (Major != 1 || Minor != 1)
        throw EUnsupportedEncryption(QStringLiteral("加密版本 %1.%2 不是 RC4 加密").arg(Major).arg(Minor));
    const QByteArrayView Salt = Cursor.ReadBytes(SaltSize);
    QByteArray Verifier = Cursor.ReadBytes(VerifierSize * 2).toByteArray();

    TRc4Cipher::EnsureAvailable();
    const QByteArray PasswordHash =
        TMessageDigest::Hash("MD5", TUtf16LittleEndian::Encode(Password)).first(TruncatedHashSize);
    TMessageDigest Intermediate("MD5");
    for (int I = 0; I < Repetitions; ++I)
        Intermediate.Add(PasswordHash).Add(Salt);
    TRc4Key Key(Intermediate.Finish().first(TruncatedHashSize));

    // Verifier and its hash are one RC4 stream under the key of block 0.
    TRc4Cipher::Apply(Key.BlockKey(0), Verifier.data(), Verifier.size(), 0);
    if (TMessageDigest::Hash("MD5", QByteArrayView(Verifier).first(VerifierSize))
        != QByteArrayView(Verifier).sliced(VerifierSize))
        return std::nullopt;
    return Key;
}

QByteArray TRc4Key::BlockKey(quint32 Block) const
{
    return TMessageDigest("MD5").Add(FPasswordHash).AddUInt32(Block).Finish();
}

void TRc4Key::Apply(char* Data, qsizetype Size, qint64 StreamOffset, qint64 BlockSize) const
{
    TRc4Cipher::ApplyBlocks(
        [this](quint32 Block) { return BlockKey(Block); }, Data, Size, StreamOffset, BlockSize);
}

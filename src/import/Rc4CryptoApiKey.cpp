#include "Rc4CryptoApiKey.h"

#include "ByteCursor.h"
#include "EncryptionError.h"
#include "UnsupportedEncryptionError.h"
#include "MessageDigest.h"
#include "Rc4Cipher.h"
#include "Utf16LittleEndian.h"

namespace
{
constexpr quint32 AlgorithmRc4 = 0x6801;
constexpr quint32 AlgorithmSha1 = 0x8004;
constexpr int SaltSize = 16;
constexpr int VerifierSize = 16;
constexpr int Sha1Size = 20;
// The smallest EncryptionHeader: eight 4-byte fields, the provider name may be empty.
constexpr quint32 MinimumHeaderSize = 32;
} // namespace

TRc4CryptoApiKey::TRc4CryptoApiKey(QByteArray PasswordHash, int KeyBytes)
    : FPasswordHash(std::move(PasswordHash))
    , FKeyBytes(KeyBytes)
{
}

std::optional<TRc4CryptoApiKey> TRc4CryptoApiKey::Derive(const QByteArray& EncryptionInfo, const QString& Password)
{
    TByteCursor Cursor(EncryptionInfo);
    const quint16 Major = Cursor.ReadUInt16();
    const quint16 Minor = Cursor.ReadUInt16();
    if (Major < 2 || Major > 4 || Minor != 2)
        throw EUnsupportedEncryption(QStringLiteral("加密版本 %1.%2 不是 RC4 CryptoAPI 加密").arg(Major).arg(Minor));
    Cursor.Skip(4); // a copy of the header's flags
    const quint32 HeaderSize = Cursor.ReadUInt32();
    if (HeaderSize < MinimumHeaderSize || HeaderSize > quint32(Cursor.Remaining()))
        throw TEncryptionError::HeaderSize(HeaderSize);
    const qsizetype HeaderStart = Cursor.Position();
    Cursor.Skip(8); // flags, size extra
    const quint32 Algorithm = Cursor.ReadUInt32();
    const quint32 HashAlgorithm = Cursor.ReadUInt32();
    quint32 KeyBits = Cursor.ReadUInt32();
    if (Algorithm != AlgorithmRc4)
        throw EUnsupportedEncryption(QStringLiteral("不支持的加密算法 0x%1").arg(Algorithm, 4, 16, QLatin1Char('0')));
    if (HashAlgorithm != AlgorithmSha1 && HashAlgorithm != 0)
        throw EUnsupportedEncryption(QStringLiteral("不支持的哈希算法 0x%1").arg(HashAlgorithm, 4, 16, QLatin1Char('0')));
    if (KeyBits == 0)
        KeyBits = 40; // an empty key size stands for the export-grade default
    if (KeyBits < 40 || KeyBits > 128 || KeyBits % 8 != 0)
        throw EMalformedData(QStringLiteral("RC4 密钥长度 %1 位无效").arg(KeyBits));
    Cursor.Seek(HeaderStart + HeaderSize);

    if (Cursor.ReadUInt32() != SaltSize)
        throw TEncryptionError::SaltSize();
    const QByteArrayView Salt = Cursor.ReadBytes(SaltSize);
    QByteArray Verifier = Cursor.ReadBytes(VerifierSize).toByteArray();
    if (Cursor.ReadUInt32() != Sha1Size)
        throw TEncryptionError::VerifierHashSize();
    Verifier += Cursor.ReadBytes(Sha1Size);

    TRc4Cipher::EnsureAvailable();
    TRc4CryptoApiKey Key(
        TMessageDigest("SHA1").Add(Salt).Add(TUtf16LittleEndian::Encode(Password)).Finish(), int(KeyBits / 8));
    // Verifier and its hash are one RC4 stream under the key of block 0.
    TRc4Cipher::Apply(Key.BlockKey(0), Verifier.data(), Verifier.size(), 0);
    if (TMessageDigest::Hash("SHA1", QByteArrayView(Verifier).first(VerifierSize))
        != QByteArrayView(Verifier).sliced(VerifierSize))
        return std::nullopt;
    return Key;
}

QByteArray TRc4CryptoApiKey::BlockKey(quint32 Block) const
{
    QByteArray Key = TMessageDigest("SHA1").Add(FPasswordHash).AddUInt32(Block).Finish().first(FKeyBytes);
    // A 40-bit key enters RC4 as 128 bits whose last 88 are zero, as the CryptoAPI
    // provider of that time expanded it; other lengths are used as they are.
    if (FKeyBytes == 5)
        Key.append(11, '\0');
    return Key;
}

void TRc4CryptoApiKey::Apply(char* Data, qsizetype Size, qint64 StreamOffset, qint64 BlockSize) const
{
    TRc4Cipher::ApplyBlocks(
        [this](quint32 Block) { return BlockKey(Block); }, Data, Size, StreamOffset, BlockSize);
}

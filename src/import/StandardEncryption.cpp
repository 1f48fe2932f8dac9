#include "StandardEncryption.h"

#include "AesCipher.h"
#include "ByteCursor.h"
#include "EncryptionError.h"
#include "MessageDigest.h"
#include "UnsupportedEncryptionError.h"
#include "Utf16LittleEndian.h"

namespace
{
constexpr quint32 FlagCryptoApi = 0x04;
constexpr quint32 FlagAes = 0x20;
constexpr quint32 AlgorithmAes128 = 0x660E;
constexpr quint32 AlgorithmAes192 = 0x660F;
constexpr quint32 AlgorithmAes256 = 0x6610;
constexpr quint32 AlgorithmSha1 = 0x8004;
constexpr quint32 MinimumHeaderSize = 32;
constexpr int SpinCount = 50'000;
constexpr int Sha1Size = 20;
} // namespace

TStandardEncryption::TStandardEncryption(QByteArrayView Info)
{
    TByteCursor Cursor(Info);
    Cursor.Skip(4); // version, checked by the caller
    const quint32 Flags = Cursor.ReadUInt32();
    if ((Flags & FlagCryptoApi) == 0 || (Flags & FlagAes) == 0)
        throw EUnsupportedEncryption(QStringLiteral("不支持用 RC4 加密的 Office Open XML 文件"));
    const quint32 HeaderSize = Cursor.ReadUInt32();
    if (HeaderSize < MinimumHeaderSize || HeaderSize > quint32(Cursor.Remaining()))
        throw TEncryptionError::HeaderSize(HeaderSize);
    const qsizetype HeaderStart = Cursor.Position();
    Cursor.Skip(8); // flags, size extra
    const quint32 Algorithm = Cursor.ReadUInt32();
    const quint32 HashAlgorithm = Cursor.ReadUInt32();
    const quint32 KeyBits = Cursor.ReadUInt32();
    if (HashAlgorithm != AlgorithmSha1 && HashAlgorithm != 0)
        throw EUnsupportedEncryption(
            QStringLiteral("不支持哈希算法 0x%1").arg(HashAlgorithm, 4, 16, QLatin1Char('0')));
    const quint32 AlgorithmBits = Algorithm == AlgorithmAes192 ? 192 : Algorithm == AlgorithmAes256 ? 256 : 128;
    if (Algorithm != 0 && Algorithm != AlgorithmAes128 && Algorithm != AlgorithmAes192
        && Algorithm != AlgorithmAes256)
        throw EUnsupportedEncryption(QStringLiteral("不支持加密算法 0x%1").arg(Algorithm, 4, 16, QLatin1Char('0')));
    if (KeyBits != AlgorithmBits)
        throw EMalformedData(QStringLiteral("AES 密钥长度 %1 位与加密算法不符").arg(KeyBits));
    FKeyBytes = int(KeyBits / 8);
    Cursor.Seek(HeaderStart + HeaderSize);

    if (Cursor.ReadUInt32() != 16)
        throw TEncryptionError::SaltSize();
    FSalt = Cursor.ReadBytes(16).toByteArray();
    FEncryptedVerifier = Cursor.ReadBytes(16).toByteArray();
    if (Cursor.ReadUInt32() != Sha1Size)
        throw TEncryptionError::VerifierHashSize();
    // The hash is stored encrypted in two AES blocks.
    FEncryptedVerifierHash = Cursor.ReadBytes(32).toByteArray();
}

std::optional<QByteArray> TStandardEncryption::SecretKey(const QString& Password) const
{
    TMessageDigest Digest("SHA1");
    QByteArray Hash = Digest.Add(FSalt).Add(TUtf16LittleEndian::Encode(Password)).Finish();
    for (int Round = 0; Round < SpinCount; ++Round)
        Digest.AddUInt32(quint32(Round)).Add(Hash).FinishInto(Hash.data());
    const QByteArray Final = Digest.Add(Hash).AddUInt32(0).Finish();

    // The hash is stretched to the key length the way CryptDeriveKey does it.
    QByteArray Inner(64, char(0x36));
    QByteArray Outer(64, char(0x5C));
    for (int I = 0; I < Sha1Size; ++I)
    {
        Inner[I] = char(Inner[I] ^ Final[I]);
        Outer[I] = char(Outer[I] ^ Final[I]);
    }
    const QByteArray Key = (Digest.Add(Inner).Finish() + Digest.Add(Outer).Finish()).first(FKeyBytes);

    TAesCipher Cipher(TAesCipher::TMode::Ecb, Key);
    const QByteArray Verifier = Cipher.Decrypt({}, FEncryptedVerifier);
    const QByteArray VerifierHash = Cipher.Decrypt({}, FEncryptedVerifierHash).first(Sha1Size);
    if (TMessageDigest::Hash("SHA1", Verifier) != VerifierHash)
        return std::nullopt;
    return Key;
}

QByteArray TStandardEncryption::DecryptPackage(const QByteArray& SecretKey, QByteArrayView EncryptedPackage) const
{
    const qsizetype Size = PlainSize(EncryptedPackage, TAesCipher::BlockSize);
    const qsizetype CipherSize = (Size + TAesCipher::BlockSize - 1) / TAesCipher::BlockSize * TAesCipher::BlockSize;
    QByteArray Plain = TAesCipher(TAesCipher::TMode::Ecb, SecretKey).Decrypt({}, EncryptedPackage.sliced(8, CipherSize));
    Plain.truncate(Size);
    return Plain;
}

#include "AgileEncryption.h"

#include "AesCipher.h"
#include "MessageDigest.h"
#include "UnsupportedEncryptionError.h"
#include "Utf16LittleEndian.h"

#include <pugixml.hpp>

#include <cstring>

namespace
{
constexpr qsizetype SegmentSize = 4096;
// Office itself refuses more rounds; a larger count would only stall the reader.
constexpr quint32 MaximumSpinCount = 10'000'000;
const char* const PasswordEncryptorUri = "http://schemas.microsoft.com/office/2006/keyEncryptor/password";

const QByteArray VerifierInputBlockKey = QByteArray::fromHex("fea7d2763b4b9e79");
const QByteArray VerifierHashBlockKey = QByteArray::fromHex("d7aa0f6d3061344e");
const QByteArray EncryptedKeyBlockKey = QByteArray::fromHex("146e0be7abacd0d6");

const char* LocalName(const char* Name) noexcept
{
    const char* Colon = std::strrchr(Name, ':');
    return Colon ? Colon + 1 : Name;
}

pugi::xml_node Child(const pugi::xml_node& Parent, const char* Name)
{
    for (const pugi::xml_node& Node : Parent.children())
        if (Node.type() == pugi::node_element && std::strcmp(LocalName(Node.name()), Name) == 0)
            return Node;
    return {};
}

QString Text(const pugi::xml_attribute& Attribute)
{
    return QString::fromUtf8(Attribute.value());
}

pugi::xml_attribute Require(const pugi::xml_node& Node, const char* Name)
{
    const pugi::xml_attribute Attribute = Node.attribute(Name);
    if (!Attribute)
        throw EMalformedData(QStringLiteral("加密描述的 %1 缺少属性 %2")
                                 .arg(QString::fromUtf8(LocalName(Node.name())), QLatin1StringView(Name)));
    return Attribute;
}

quint32 Number(const pugi::xml_node& Node, const char* Name, quint32 Minimum, quint32 Maximum)
{
    bool Ok = false;
    const quint32 Value = Text(Require(Node, Name)).trimmed().toUInt(&Ok);
    if (!Ok || Value < Minimum || Value > Maximum)
        throw EMalformedData(QStringLiteral("加密描述的属性 %1 的值 '%2' 无效")
                                 .arg(QLatin1StringView(Name), Text(Node.attribute(Name))));
    return Value;
}

QByteArray Base64(const pugi::xml_node& Node, const char* Name)
{
    const auto Decoded = QByteArray::fromBase64Encoding(
        QByteArray(Require(Node, Name).value()).trimmed(), QByteArray::AbortOnBase64DecodingErrors);
    if (!Decoded || Decoded.decoded.isEmpty())
        throw EMalformedData(QStringLiteral("加密描述的属性 %1 不是有效的 Base64 数据").arg(QLatin1StringView(Name)));
    return Decoded.decoded;
}

QByteArray HashAlgorithm(const QString& Name)
{
    // Office writes "SHA512"; "SHA-512" is accepted as well.
    const QString Plain = QString(Name).remove(u'-');
    static const char* const Known[] = {"SHA1", "SHA256", "SHA384", "SHA512"};
    for (const char* Algorithm : Known)
        if (Plain.compare(QLatin1StringView(Algorithm), Qt::CaseInsensitive) == 0)
            return QByteArray(Algorithm);
    throw EUnsupportedEncryption(QStringLiteral("不支持哈希算法 %1").arg(Name));
}

QByteArray EncryptedBlocks(const pugi::xml_node& Node, const char* Name, int BlockSize)
{
    QByteArray Bytes = Base64(Node, Name);
    if (Bytes.size() % BlockSize != 0)
        throw EMalformedData(QStringLiteral("加密描述的属性 %1 的长度不是块长的整数倍").arg(QLatin1StringView(Name)));
    return Bytes;
}
} // namespace

TAgileEncryption::TAgileEncryption(QByteArrayView Xml)
{
    pugi::xml_document Document;
    if (!Document.load_buffer(Xml.data(), static_cast<size_t>(Xml.size())))
        throw EMalformedData(QStringLiteral("加密描述不是有效的 XML"));
    const pugi::xml_node Root = Child(Document, "encryption");
    const pugi::xml_node KeyData = Child(Root, "keyData");
    if (!KeyData)
        throw EMalformedData(QStringLiteral("加密描述中缺少 keyData"));

    pugi::xml_node EncryptedKey;
    for (const pugi::xml_node& Encryptor : Child(Root, "keyEncryptors").children())
        if (std::strcmp(Encryptor.attribute("uri").value(), PasswordEncryptorUri) == 0)
            EncryptedKey = Child(Encryptor, "encryptedKey");
    if (!EncryptedKey)
        throw EUnsupportedEncryption(QStringLiteral("文件只能用证书解密，不能用密码解密"));

    const auto Parameters = [](const pugi::xml_node& Node) {
        const QString Cipher = Text(Require(Node, "cipherAlgorithm"));
        if (Cipher.compare(u"AES", Qt::CaseInsensitive) != 0)
            throw EUnsupportedEncryption(QStringLiteral("不支持加密算法 %1").arg(Cipher));
        const QString Chaining = Text(Require(Node, "cipherChaining"));
        if (Chaining != u"ChainingModeCBC")
            throw EUnsupportedEncryption(QStringLiteral("不支持分组链接模式 %1").arg(Chaining));
        TParameters Result;
        Result.HashAlgorithm = HashAlgorithm(Text(Require(Node, "hashAlgorithm")));
        Result.HashSize = TMessageDigest(Result.HashAlgorithm.constData()).Size();
        if (Number(Node, "hashSize", 1, 1024) != quint32(Result.HashSize))
            throw EMalformedData(QStringLiteral("加密描述的哈希长度与哈希算法不符"));
        Result.BlockSize = int(Number(Node, "blockSize", 2, 4096));
        if (Result.BlockSize != TAesCipher::BlockSize)
            throw EMalformedData(QStringLiteral("AES 的块长不能是 %1").arg(Result.BlockSize));
        const quint32 KeyBits = Number(Node, "keyBits", 1, 1024);
        if (KeyBits != 128 && KeyBits != 192 && KeyBits != 256)
            throw EUnsupportedEncryption(QStringLiteral("不支持 %1 位的 AES 密钥").arg(KeyBits));
        Result.KeyBytes = int(KeyBits / 8);
        Result.Salt = Base64(Node, "saltValue");
        if (quint32(Result.Salt.size()) != Number(Node, "saltSize", 1, 65536))
            throw EMalformedData(QStringLiteral("加密描述的盐值长度与 saltSize 不符"));
        return Result;
    };
    FKeyData = Parameters(KeyData);
    FPassword = Parameters(EncryptedKey);
    FSpinCount = Number(EncryptedKey, "spinCount", 0, MaximumSpinCount);
    FVerifierInput = EncryptedBlocks(EncryptedKey, "encryptedVerifierHashInput", FPassword.BlockSize);
    FVerifierHash = EncryptedBlocks(EncryptedKey, "encryptedVerifierHashValue", FPassword.BlockSize);
    FEncryptedKey = EncryptedBlocks(EncryptedKey, "encryptedKeyValue", FPassword.BlockSize);
    if (FVerifierInput.size() < FPassword.Salt.size() || FVerifierHash.size() < FPassword.HashSize
        || FEncryptedKey.size() < FKeyData.KeyBytes)
        throw EMalformedData(QStringLiteral("加密描述中的验证数据太短"));
}

QByteArray TAgileEncryption::Resized(QByteArray Bytes, qsizetype Size)
{
    // Too short values are filled up with 0x36, too long ones cut.
    if (Bytes.size() < Size)
        Bytes.append(Size - Bytes.size(), char(0x36));
    Bytes.truncate(Size);
    return Bytes;
}

QByteArray TAgileEncryption::PasswordKey(const QByteArray& PasswordHash, QByteArrayView BlockKey) const
{
    return Resized(TMessageDigest(FPassword.HashAlgorithm.constData()).Add(PasswordHash).Add(BlockKey).Finish(),
        FPassword.KeyBytes);
}

std::optional<QByteArray> TAgileEncryption::SecretKey(const QString& Password) const
{
    TMessageDigest Digest(FPassword.HashAlgorithm.constData());
    QByteArray Hash = Digest.Add(FPassword.Salt).Add(TUtf16LittleEndian::Encode(Password)).Finish();
    for (quint32 Round = 0; Round < FSpinCount; ++Round)
        Digest.AddUInt32(Round).Add(Hash).FinishInto(Hash.data());

    const QByteArray Iv = Resized(FPassword.Salt, FPassword.BlockSize);
    const QByteArray Input = TAesCipher(TAesCipher::TMode::Cbc, PasswordKey(Hash, VerifierInputBlockKey))
                                 .Decrypt(Iv, FVerifierInput)
                                 .first(FPassword.Salt.size());
    const QByteArray Expected = TAesCipher(TAesCipher::TMode::Cbc, PasswordKey(Hash, VerifierHashBlockKey))
                                    .Decrypt(Iv, FVerifierHash)
                                    .first(FPassword.HashSize);
    if (TMessageDigest::Hash(FPassword.HashAlgorithm.constData(), Input) != Expected)
        return std::nullopt;
    return TAesCipher(TAesCipher::TMode::Cbc, PasswordKey(Hash, EncryptedKeyBlockKey))
        .Decrypt(Iv, FEncryptedKey)
        .first(FKeyData.KeyBytes);
}

QByteArray TAgileEncryption::DecryptPackage(const QByteArray& SecretKey, QByteArrayView EncryptedPackage) const
{
    const qsizetype Size = PlainSize(EncryptedPackage, FKeyData.BlockSize);
    const qsizetype CipherSize = (Size + FKeyData.BlockSize - 1) / FKeyData.BlockSize * FKeyData.BlockSize;
    QByteArray Plain(CipherSize, Qt::Uninitialized);
    TAesCipher Cipher(TAesCipher::TMode::Cbc, SecretKey);
    TMessageDigest Digest(FKeyData.HashAlgorithm.constData());
    const char* Source = EncryptedPackage.data() + 8;
    quint32 Segment = 0;
    for (qsizetype Offset = 0; Offset < CipherSize; Offset += SegmentSize, ++Segment)
    {
        const QByteArray Iv = Resized(Digest.Add(FKeyData.Salt).AddUInt32(Segment).Finish(), FKeyData.BlockSize);
        Cipher.Decrypt(Iv, Source + Offset, Plain.data() + Offset, std::min(SegmentSize, CipherSize - Offset));
    }
    Plain.truncate(Size);
    return Plain;
}

#pragma once

#include <QByteArray>
#include <QString>
#include <QtEndian>

#include <openssl/evp.h>

#include <memory>
#include <stdexcept>

// Encrypts packages the way Office does, written from the published key schemes on top of
// OpenSSL's one-shot primitives, so that the readers' decryption is checked against an
// encryptor of separate making.
class TOfficeEncryptor
{
public:
    struct TAgile
    {
        QString Password = QStringLiteral("nuvex");
        QByteArray HashAlgorithm = "SHA512";
        int KeyBits = 256;
        quint32 SpinCount = 1000;
        // Attribute overrides for the password key encryptor, to build damaged descriptions.
        QByteArray Cipher = "AES";
        QByteArray Chaining = "ChainingModeCBC";
    };

    static QByteArray Hash(const QByteArray& Algorithm, const QByteArray& Data)
    {
        unsigned char Out[EVP_MAX_MD_SIZE];
        unsigned int Size = 0;
        if (EVP_Digest(Data.constData(), size_t(Data.size()), Out, &Size, EVP_get_digestbyname(Algorithm.constData()),
                nullptr)
            != 1)
            throw std::runtime_error("digest failed");
        return QByteArray(reinterpret_cast<const char*>(Out), int(Size));
    }

    static QByteArray Encrypt(const QByteArray& Key, const QByteArray& Iv, QByteArray Data, bool Cbc)
    {
        Data = Data.leftJustified((Data.size() + 15) / 16 * 16, '\0');
        const EVP_CIPHER* Cipher = Key.size() == 16 ? (Cbc ? EVP_aes_128_cbc() : EVP_aes_128_ecb())
            : Key.size() == 24                      ? (Cbc ? EVP_aes_192_cbc() : EVP_aes_192_ecb())
                                                    : (Cbc ? EVP_aes_256_cbc() : EVP_aes_256_ecb());
        const std::unique_ptr<EVP_CIPHER_CTX, decltype(&EVP_CIPHER_CTX_free)> Context(
            EVP_CIPHER_CTX_new(), &EVP_CIPHER_CTX_free);
        QByteArray Out(Data.size(), '\0');
        int Written = 0;
        if (EVP_EncryptInit_ex(Context.get(), Cipher, nullptr, reinterpret_cast<const unsigned char*>(Key.constData()),
                Cbc ? reinterpret_cast<const unsigned char*>(Iv.constData()) : nullptr)
                != 1
            || EVP_CIPHER_CTX_set_padding(Context.get(), 0) != 1
            || EVP_EncryptUpdate(Context.get(), reinterpret_cast<unsigned char*>(Out.data()), &Written,
                   reinterpret_cast<const unsigned char*>(Data.constData()), int(Data.size()))
                != 1)
            throw std::runtime_error("encryption failed");
        return Out;
    }

    static QByteArray Utf16Le(const QString& Text)
    {
        QByteArray Bytes;
        for (QChar Char : Text)
            Bytes += UInt32(Char.unicode()).first(2);
        return Bytes;
    }

    static QByteArray UInt32(quint32 Value)
    {
        QByteArray Bytes(4, '\0');
        qToLittleEndian(Value, Bytes.data());
        return Bytes;
    }

    static QByteArray UInt64(quint64 Value)
    {
        QByteArray Bytes(8, '\0');
        qToLittleEndian(Value, Bytes.data());
        return Bytes;
    }

    // Fills the two streams of an agile-encrypted file.
    static void Agile(const TAgile& Options, const QByteArray& Package, QByteArray& Info, QByteArray& Encrypted)
    {
        const QByteArray& Algorithm = Options.HashAlgorithm;
        const QByteArray KeySalt = QByteArray::fromHex("00112233445566778899aabbccddeeff");
        const QByteArray DataSalt = QByteArray::fromHex("f0e0d0c0b0a090807060504030201000");
        const QByteArray Secret = QByteArray::fromHex(
            "000102030405060708090a0b0c0d0e0f101112131415161718191a1b1c1d1e1f").first(Options.KeyBits / 8);
        const QByteArray VerifierInput = QByteArray::fromHex("31415926535897932384626433832795");

        QByteArray H = Hash(Algorithm, KeySalt + Utf16Le(Options.Password));
        for (quint32 I = 0; I < Options.SpinCount; ++I)
            H = Hash(Algorithm, UInt32(I) + H);
        const auto KeyFor = [&](const char* BlockKeyHex) {
            QByteArray Key = Hash(Algorithm, H + QByteArray::fromHex(BlockKeyHex));
            return Key.size() >= Options.KeyBits / 8 ? Key.first(Options.KeyBits / 8)
                                                     : Key.leftJustified(Options.KeyBits / 8, char(0x36));
        };
        const QByteArray EncryptedInput = Encrypt(KeyFor("fea7d2763b4b9e79"), KeySalt, VerifierInput, true);
        const QByteArray EncryptedHash =
            Encrypt(KeyFor("d7aa0f6d3061344e"), KeySalt, Hash(Algorithm, VerifierInput), true);
        const QByteArray EncryptedKey = Encrypt(KeyFor("146e0be7abacd0d6"), KeySalt, Secret, true);

        Encrypted = UInt64(quint64(Package.size()));
        for (qsizetype Offset = 0, Segment = 0; Offset < Package.size(); Offset += 4096, ++Segment)
        {
            const QByteArray Iv = Hash(Algorithm, DataSalt + UInt32(quint32(Segment))).first(16);
            Encrypted += Encrypt(Secret, Iv, Package.mid(Offset, 4096), true);
        }

        const QByteArray HashSize = QByteArray::number(Hash(Algorithm, {}).size());
        const QByteArray KeyBits = QByteArray::number(Options.KeyBits);
        const QByteArray Common = "saltSize=\"16\" blockSize=\"16\" keyBits=\"" + KeyBits + "\" hashSize=\"" + HashSize
            + "\" hashAlgorithm=\"" + Algorithm + "\" ";
        Info = QByteArray::fromHex("0400040040000000")
            + "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"
              "<encryption xmlns=\"http://schemas.microsoft.com/office/2006/encryption\" "
              "xmlns:p=\"http://schemas.microsoft.com/office/2006/keyEncryptor/password\">"
              "<keyData "
            + Common + "cipherAlgorithm=\"AES\" cipherChaining=\"ChainingModeCBC\" saltValue=\"" + DataSalt.toBase64()
            + "\"/>"
              "<keyEncryptors><keyEncryptor uri=\"http://schemas.microsoft.com/office/2006/keyEncryptor/password\">"
              "<p:encryptedKey spinCount=\""
            + QByteArray::number(Options.SpinCount) + "\" " + Common + "cipherAlgorithm=\"" + Options.Cipher
            + "\" cipherChaining=\"" + Options.Chaining + "\" saltValue=\"" + KeySalt.toBase64()
            + "\" encryptedVerifierHashInput=\"" + EncryptedInput.toBase64() + "\" encryptedVerifierHashValue=\""
            + EncryptedHash.toBase64() + "\" encryptedKeyValue=\"" + EncryptedKey.toBase64()
            + "\"/></keyEncryptor></keyEncryptors></encryption>";
    }

    // Fills the two streams of a file with standard encryption (AES-ECB, SHA-1).
    static void Standard(const QString& Password, int KeyBits, quint16 Major, const QByteArray& Package,
        QByteArray& Info, QByteArray& Encrypted)
    {
        const QByteArray Salt = QByteArray::fromHex("a0a1a2a3a4a5a6a7a8a9aaabacadaeaf");
        const QByteArray Verifier = QByteArray::fromHex("0123456789abcdeffedcba9876543210");
        QByteArray H = Hash("SHA1", Salt + Utf16Le(Password));
        for (quint32 I = 0; I < 50000; ++I)
            H = Hash("SHA1", UInt32(I) + H);
        const QByteArray Final = Hash("SHA1", H + UInt32(0));
        QByteArray Inner(64, char(0x36));
        QByteArray Outer(64, char(0x5c));
        for (int I = 0; I < Final.size(); ++I)
        {
            Inner[I] = char(Inner[I] ^ Final[I]);
            Outer[I] = char(Outer[I] ^ Final[I]);
        }
        const QByteArray Key = (Hash("SHA1", Inner) + Hash("SHA1", Outer)).first(KeyBits / 8);

        const quint32 AlgorithmId = KeyBits == 128 ? 0x660E : KeyBits == 192 ? 0x660F : 0x6610;
        const QByteArray Provider = Utf16Le(QStringLiteral("Microsoft Enhanced RSA and AES Cryptographic Provider"))
            + QByteArray(2, '\0');
        const QByteArray Header = UInt32(0x24) + UInt32(0) + UInt32(AlgorithmId) + UInt32(0x8004)
            + UInt32(quint32(KeyBits)) + UInt32(0x18) + UInt32(0) + UInt32(0) + Provider;
        Info = UInt32(0x00020000u | Major) + UInt32(0x24) + UInt32(quint32(Header.size())) + Header + UInt32(16) + Salt
            + Encrypt(Key, {}, Verifier, false) + UInt32(20) + Encrypt(Key, {}, Hash("SHA1", Verifier), false);
        Encrypted = UInt64(quint64(Package.size())) + Encrypt(Key, {}, Package, false);
    }
};

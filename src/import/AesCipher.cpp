#include "AesCipher.h"

#include "MalformedDataError.h"

#include <openssl/evp.h>

#include <algorithm>

namespace
{
const EVP_CIPHER* Algorithm(TAesCipher::TMode Mode, qsizetype KeySize)
{
    const bool Ecb = Mode == TAesCipher::TMode::Ecb;
    switch (KeySize)
    {
    case 16:
        return Ecb ? EVP_aes_128_ecb() : EVP_aes_128_cbc();
    case 24:
        return Ecb ? EVP_aes_192_ecb() : EVP_aes_192_cbc();
    case 32:
        return Ecb ? EVP_aes_256_ecb() : EVP_aes_256_cbc();
    default:
        throw EMalformedData(QStringLiteral("AES 密钥长度 %1 字节无效").arg(KeySize));
    }
}

[[noreturn]] void Fail()
{
    throw EError(QStringLiteral("OpenSSL AES 解密失败。"));
}
} // namespace

void TAesCipher::TContextFree::operator()(evp_cipher_ctx_st* Context) const noexcept
{
    EVP_CIPHER_CTX_free(Context);
}

TAesCipher::TAesCipher(TMode Mode, QByteArrayView Key)
    : FMode(Mode)
    , FContext(EVP_CIPHER_CTX_new())
{
    if (!FContext)
        throw std::bad_alloc();
    if (EVP_DecryptInit_ex(FContext.get(), Algorithm(Mode, Key.size()), nullptr,
            reinterpret_cast<const unsigned char*>(Key.data()), nullptr) != 1
        || EVP_CIPHER_CTX_set_padding(FContext.get(), 0) != 1)
        Fail();
}

TAesCipher::~TAesCipher() = default;

void TAesCipher::Decrypt(QByteArrayView Iv, const char* In, char* Out, qsizetype Size)
{
    if (Size % BlockSize != 0)
        throw EMalformedData(QStringLiteral("加密数据的长度 %1 不是 AES 块长的整数倍").arg(Size));
    if (FMode == TMode::Cbc && Iv.size() != BlockSize)
        throw EMalformedData(QStringLiteral("AES 初始向量的长度 %1 无效").arg(Iv.size()));
    // Restarting keeps the key and sets the vector; ECB has none.
    if (EVP_DecryptInit_ex(FContext.get(), nullptr, nullptr, nullptr,
            FMode == TMode::Cbc ? reinterpret_cast<const unsigned char*>(Iv.data()) : nullptr) != 1)
        Fail();
    constexpr qsizetype MaximumChunk = qsizetype(1) << 30;
    while (Size > 0)
    {
        const int Chunk = static_cast<int>(std::min(Size, MaximumChunk));
        int Written = 0;
        if (EVP_DecryptUpdate(FContext.get(), reinterpret_cast<unsigned char*>(Out), &Written,
                reinterpret_cast<const unsigned char*>(In), Chunk) != 1
            || Written != Chunk)
            Fail();
        In += Chunk;
        Out += Chunk;
        Size -= Chunk;
    }
}

QByteArray TAesCipher::Decrypt(QByteArrayView Iv, QByteArrayView Data)
{
    QByteArray Plain(Data.size(), Qt::Uninitialized);
    Decrypt(Iv, Data.data(), Plain.data(), Data.size());
    return Plain;
}

#include "Rc4Cipher.h"

#include "model/Error.h"

#include <openssl/evp.h>
#include <openssl/provider.h>

#include <array>
#include <memory>

namespace
{
struct TLibraryContextFree
{
    void operator()(OSSL_LIB_CTX* Context) const noexcept { OSSL_LIB_CTX_free(Context); }
};

struct TProviderUnload
{
    void operator()(OSSL_PROVIDER* Provider) const noexcept { OSSL_PROVIDER_unload(Provider); }
};

struct TCipherFree
{
    void operator()(EVP_CIPHER* Cipher) const noexcept { EVP_CIPHER_free(Cipher); }
};

struct TCipherContextFree
{
    void operator()(EVP_CIPHER_CTX* Context) const noexcept { EVP_CIPHER_CTX_free(Context); }
};

// Members are released in reverse order: the cipher before its provider, the provider
// before its library context.
struct TLegacyRc4
{
    std::unique_ptr<OSSL_LIB_CTX, TLibraryContextFree> Context{OSSL_LIB_CTX_new()};
    std::unique_ptr<OSSL_PROVIDER, TProviderUnload> Provider{
        Context ? OSSL_PROVIDER_load(Context.get(), "legacy") : nullptr};
    std::unique_ptr<EVP_CIPHER, TCipherFree> Cipher{
        Provider ? EVP_CIPHER_fetch(Context.get(), "RC4", nullptr) : nullptr};
};

const EVP_CIPHER* Rc4()
{
    static const TLegacyRc4 Legacy;
    if (!Legacy.Cipher)
        throw EError(QStringLiteral("无法解密：OpenSSL 的 legacy 提供程序不可用，缺少 RC4 算法。"));
    return Legacy.Cipher.get();
}

void Fail()
{
    throw EError(QStringLiteral("OpenSSL RC4 解密失败。"));
}

void Update(EVP_CIPHER_CTX* Context, unsigned char* Data, int Size)
{
    int Written = 0;
    if (EVP_CipherUpdate(Context, Data, &Written, Data, Size) != 1 || Written != Size)
        Fail();
}
} // namespace

void TRc4Cipher::EnsureAvailable()
{
    Rc4();
}

void TRc4Cipher::Apply(QByteArrayView Key, char* Data, qsizetype Size, qsizetype Skip)
{
    const EVP_CIPHER* Cipher = Rc4();
    const std::unique_ptr<EVP_CIPHER_CTX, TCipherContextFree> Context(EVP_CIPHER_CTX_new());
    if (!Context)
        throw std::bad_alloc();
    if (EVP_CipherInit_ex(Context.get(), Cipher, nullptr, nullptr, nullptr, 1) != 1
        || EVP_CIPHER_CTX_set_key_length(Context.get(), static_cast<int>(Key.size())) != 1
        || EVP_CipherInit_ex(Context.get(), nullptr, nullptr, reinterpret_cast<const unsigned char*>(Key.data()),
               nullptr, 1) != 1)
        Fail();

    std::array<unsigned char, 512> Discard{};
    while (Skip > 0)
    {
        const int Chunk = static_cast<int>(std::min<qsizetype>(Skip, Discard.size()));
        Update(Context.get(), Discard.data(), Chunk);
        Skip -= Chunk;
    }
    constexpr qsizetype MaximumChunk = qsizetype(1) << 30;
    auto* Bytes = reinterpret_cast<unsigned char*>(Data);
    while (Size > 0)
    {
        const int Chunk = static_cast<int>(std::min(Size, MaximumChunk));
        Update(Context.get(), Bytes, Chunk);
        Bytes += Chunk;
        Size -= Chunk;
    }
}

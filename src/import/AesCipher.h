#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <memory>

struct evp_cipher_ctx_st;

// AES decryption of whole blocks through OpenSSL, without padding: the Office formats
// store the plain length themselves. One object keeps its key for any number of calls,
// each with an initialisation vector of its own.
class TAesCipher
{
public:
    enum class TMode
    {
        Ecb,
        Cbc
    };

    static constexpr qsizetype BlockSize = 16;

    // Key is 16, 24 or 32 bytes long; other lengths raise EMalformedData.
    TAesCipher(TMode Mode, QByteArrayView Key);
    ~TAesCipher();

    TAesCipher(const TAesCipher&) = delete;
    TAesCipher& operator=(const TAesCipher&) = delete;

    // Size must be a multiple of BlockSize; In and Out may be the same buffer. The IV is
    // ignored in ECB mode and must be BlockSize bytes in CBC mode.
    void Decrypt(QByteArrayView Iv, const char* In, char* Out, qsizetype Size);
    QByteArray Decrypt(QByteArrayView Iv, QByteArrayView Data);

private:
    struct TContextFree
    {
        void operator()(evp_cipher_ctx_st* Context) const noexcept;
    };

    TMode FMode;
    std::unique_ptr<evp_cipher_ctx_st, TContextFree> FContext;
};

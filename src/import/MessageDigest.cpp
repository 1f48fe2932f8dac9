#include "MessageDigest.h"

#include "model/Error.h"

#include <QtEndian>

#include <openssl/evp.h>

namespace
{
EError HashFailed()
{
    return EError(QStringLiteral("OpenSSL 哈希计算失败。"));
}
} // namespace

void TMessageDigest::TContextFree::operator()(evp_md_ctx_st* Context) const noexcept
{
    EVP_MD_CTX_free(Context);
}

TMessageDigest::TMessageDigest(const char* Algorithm)
    : FAlgorithm(EVP_get_digestbyname(Algorithm))
    , FContext(EVP_MD_CTX_new())
{
    if (FAlgorithm == nullptr)
        throw EError(QStringLiteral("OpenSSL 不提供哈希算法 %1。").arg(QLatin1StringView(Algorithm)));
    if (!FContext)
        throw std::bad_alloc();
    Start();
}

TMessageDigest::~TMessageDigest() = default;

bool TMessageDigest::IsAvailable(const char* Algorithm) noexcept
{
    return EVP_get_digestbyname(Algorithm) != nullptr;
}

QByteArray TMessageDigest::Hash(const char* Algorithm, QByteArrayView Data)
{
    return TMessageDigest(Algorithm).Add(Data).Finish();
}

int TMessageDigest::Size() const noexcept
{
    return EVP_MD_get_size(FAlgorithm);
}

void TMessageDigest::Start()
{
    if (EVP_DigestInit_ex(FContext.get(), FAlgorithm, nullptr) != 1)
        throw EError(QStringLiteral("OpenSSL 无法初始化哈希计算。"));
}

TMessageDigest& TMessageDigest::Add(QByteArrayView Data)
{
    if (EVP_DigestUpdate(FContext.get(), Data.data(), static_cast<size_t>(Data.size())) != 1)
        throw HashFailed();
    return *this;
}

TMessageDigest& TMessageDigest::AddUInt32(quint32 Value)
{
    char Bytes[4];
    qToLittleEndian(Value, Bytes);
    return Add(QByteArrayView(Bytes, 4));
}

QByteArray TMessageDigest::Finish()
{
    QByteArray Hash(Size(), Qt::Uninitialized);
    FinishInto(Hash.data());
    return Hash;
}

void TMessageDigest::FinishInto(char* Hash)
{
    if (EVP_DigestFinal_ex(FContext.get(), reinterpret_cast<unsigned char*>(Hash), nullptr) != 1)
        throw HashFailed();
    Start();
}

#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <memory>

struct evp_md_ctx_st;
struct evp_md_st;

// A hash function of OpenSSL, fed piece by piece. One object serves any number of
// hashes in turn, which keeps the long password-hardening loops free of allocations.
class TMessageDigest
{
public:
    // Algorithm is an OpenSSL digest name such as "SHA1", "SHA512" or "MD5".
    explicit TMessageDigest(const char* Algorithm);
    ~TMessageDigest();

    TMessageDigest(const TMessageDigest&) = delete;
    TMessageDigest& operator=(const TMessageDigest&) = delete;

    static bool IsAvailable(const char* Algorithm) noexcept;
    static QByteArray Hash(const char* Algorithm, QByteArrayView Data);

    int Size() const noexcept;
    TMessageDigest& Add(QByteArrayView Data);
    TMessageDigest& AddUInt32(quint32 Value);
    // Gives the hash of everything added since the last Finish and starts afresh.
    QByteArray Finish();
    // The same into a buffer of Size() bytes, for loops that must not allocate.
    void FinishInto(char* Hash);

private:
    struct TContextFree
    {
        void operator()(evp_md_ctx_st* Context) const noexcept;
    };

    void Start();

    const evp_md_st* FAlgorithm;
    std::unique_ptr<evp_md_ctx_st, TContextFree> FContext;
};

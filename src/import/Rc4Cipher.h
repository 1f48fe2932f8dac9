#pragma once

#include "model/Error.h"

#include <QByteArrayView>

#include <algorithm>

// The RC4 stream cipher of OpenSSL. OpenSSL 3 keeps RC4 in its "legacy" provider; it is
// loaded into a library context of our own, so the process-wide OpenSSL configuration
// stays as it is.
class TRc4Cipher
{
public:
    // Raises EError when this OpenSSL installation cannot give RC4.
    static void EnsureAvailable();

    // XORs into Data the keystream of Key that follows its first Skip bytes.
    static void Apply(QByteArrayView Key, char* Data, qsizetype Size, qsizetype Skip);

    // The Office scheme on top: a stream is cut into blocks of BlockSize bytes, block n is
    // enciphered with the key BlockKey(n) from its own start. Data holds the stream bytes
    // [StreamOffset, StreamOffset + Size).
    template <class TBlockKey>
    static void ApplyBlocks(const TBlockKey& BlockKey, char* Data, qsizetype Size, qint64 StreamOffset,
        qint64 BlockSize)
    {
        if (Size < 0 || StreamOffset < 0 || BlockSize <= 0)
            throw EError(QStringLiteral("RC4 解密的参数无效。"));
        while (Size > 0)
        {
            const qint64 Block = StreamOffset / BlockSize;
            if (Block > 0xFFFFFFFF)
                throw EError(QStringLiteral("RC4 解密的数据超出了可加密的范围。"));
            const qint64 Skip = StreamOffset % BlockSize;
            const qsizetype Chunk = static_cast<qsizetype>(std::min<qint64>(Size, BlockSize - Skip));
            Apply(BlockKey(static_cast<quint32>(Block)), Data, Chunk, static_cast<qsizetype>(Skip));
            Data += Chunk;
            Size -= Chunk;
            StreamOffset += Chunk;
        }
    }
};

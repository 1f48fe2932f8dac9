#include "PackageEncryption.h"

#include "ByteCursor.h"
#include "MalformedDataError.h"

TPackageEncryption::~TPackageEncryption() = default;

qsizetype TPackageEncryption::PlainSize(QByteArrayView EncryptedPackage, qsizetype BlockSize)
{
    TByteCursor Cursor(EncryptedPackage);
    const quint64 Size = Cursor.ReadUInt64();
    const quint64 Available = quint64(Cursor.Remaining());
    if (Size > Available || (Size + quint64(BlockSize) - 1) / quint64(BlockSize) * quint64(BlockSize) > Available)
        throw EMalformedData(QStringLiteral("加密包声明的长度 %1 字节超出了实有的 %2 字节").arg(Size).arg(Available));
    return static_cast<qsizetype>(Size);
}

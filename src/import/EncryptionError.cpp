#include "EncryptionError.h"

EMalformedData TEncryptionError::HeaderSize(quint32 Size)
{
    return EMalformedData(QStringLiteral("加密头的长度 %1 无效").arg(Size));
}

EMalformedData TEncryptionError::SaltSize()
{
    return EMalformedData(QStringLiteral("加密验证信息的盐值长度无效"));
}

EMalformedData TEncryptionError::VerifierHashSize()
{
    return EMalformedData(QStringLiteral("加密验证信息的哈希长度无效"));
}

EUnsupportedEncryption TEncryptionError::UnknownVersion(quint16 Major, quint16 Minor)
{
    return EUnsupportedEncryption(QStringLiteral("未知的加密版本 %1.%2").arg(Major).arg(Minor));
}

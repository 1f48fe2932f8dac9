#include "PackageDecryptor.h"

#include "AgileEncryption.h"
#include "ByteCursor.h"
#include "EncryptionError.h"
#include "DocumentError.h"
#include "PasswordError.h"
#include "StandardEncryption.h"
#include "UnsupportedEncryptionError.h"

#include <memory>

namespace
{
constexpr qsizetype AgilePrefixSize = 8;

std::unique_ptr<TPackageEncryption> Encryption(const QByteArray& Info)
{
    TByteCursor Cursor(Info);
    const quint16 Major = Cursor.ReadUInt16();
    const quint16 Minor = Cursor.ReadUInt16();
    if (Major == 4 && Minor == 4)
        return std::make_unique<TAgileEncryption>(QByteArrayView(Info).sliced(std::min(AgilePrefixSize, Info.size())));
    if (Major >= 2 && Major <= 4 && Minor == 2)
        return std::make_unique<TStandardEncryption>(Info);
    if ((Major == 3 || Major == 4) && Minor == 3)
        throw EUnsupportedEncryption(QStringLiteral("不支持可扩展加密（版本 %1.%2）").arg(Major).arg(Minor));
    throw TEncryptionError::UnknownVersion(Major, Minor);
}

bool AnyGiven(const QStringList& Passwords)
{
    for (const QString& Password : Passwords)
        if (!Password.isEmpty() && Password != TPackageDecryptor::ExcelDefaultPassword)
            return true;
    return false;
}
} // namespace

QByteArray TPackageDecryptor::Decrypt(const QByteArray& EncryptionInfo, const QByteArray& EncryptedPackage,
    const QStringList& Passwords, const QString& FileName)
{
    try
    {
        const std::unique_ptr<TPackageEncryption> Scheme = Encryption(EncryptionInfo);
        for (const QString& Password : Passwords)
            if (const std::optional<QByteArray> Key = Scheme->SecretKey(Password))
                return Scheme->DecryptPackage(*Key, EncryptedPackage);
    }
    catch (const EUnsupportedEncryption& Error)
    {
        throw EDocument(QStringLiteral("无法打开文件 '%1'：它的加密方式不受支持（%2）。").arg(FileName, Error.Message()));
    }
    catch (const EMalformedData& Error)
    {
        throw EDocument(QStringLiteral("无法打开文件 '%1'：加密数据已损坏（%2）。").arg(FileName, Error.Message()));
    }
    if (!AnyGiven(Passwords))
        throw TPasswordError::Missing(FileName);
    throw TPasswordError::Wrong(FileName);
}

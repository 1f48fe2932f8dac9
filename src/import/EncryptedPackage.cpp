#include "EncryptedPackage.h"

#include "CompoundFile.h"
#include "PackageDecryptor.h"

namespace {
const QString InfoStream = QStringLiteral("EncryptionInfo");
const QString PackageStream = QStringLiteral("EncryptedPackage");
} // namespace

bool TEncryptedPackage::IsEncryptedPackage(const TCompoundFile& File)
{
    return File.HasStream(InfoStream) && File.HasStream(PackageStream);
}

QByteArray TEncryptedPackage::Decrypt(const TCompoundFile& File, const QStringList& Passwords, const QString& FileName)
{
    return TPackageDecryptor::Decrypt(File.ReadStream(InfoStream), File.ReadStream(PackageStream), Passwords, FileName);
}

#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class TCompoundFile;

// An encrypted Office Open XML file: a compound file whose "EncryptedPackage" stream
// holds the ZIP package, described by its "EncryptionInfo" stream.
class TEncryptedPackage
{
public:
    static bool IsEncryptedPackage(const TCompoundFile& File);
    // The decrypted ZIP package, with the first password that fits; errors name the file.
    static QByteArray Decrypt(const TCompoundFile& File, const QStringList& Passwords, const QString& FileName);
};

#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Turns the two streams of an encrypted Office Open XML file back into its ZIP package:
// picks the encryption by the version of EncryptionInfo, tries the passwords in order and
// decrypts EncryptedPackage with the first that fits. Every failure is an EDocument that
// names the file.
class TPackageDecryptor
{
public:
    static QByteArray Decrypt(const QByteArray& EncryptionInfo, const QByteArray& EncryptedPackage,
        const QStringList& Passwords, const QString& FileName);

    // Excel encrypts workbooks that are only write-protected with this fixed password;
    // callers try it on their own, so it does not count as a password the user gave.
    static constexpr QStringView ExcelDefaultPassword = u"VelvetSweatshop";
};

#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QtEndian>

#include <stdexcept>

// Reference values computed by the openssl command-line tool, a separate implementation
// from the one the readers use through the library, so the tests compare against values
// that our code did not make.
class TOpenSslCli
{
public:
    static bool IsAvailable()
    {
        QProcess Process;
        Process.start(QStringLiteral("openssl"), {QStringLiteral("version")});
        return Process.waitForFinished(30000) && Process.exitStatus() == QProcess::NormalExit
            && Process.exitCode() == 0;
    }

    // Algorithm as the dgst command names it: "sha1", "md5", "sha512".
    static QByteArray Digest(const QString& Algorithm, const QByteArray& Data)
    {
        return Run({QStringLiteral("dgst"), QStringLiteral("-") + Algorithm, QStringLiteral("-binary")}, Data);
    }

    // RC4 keys of other lengths than 16 bytes cannot be given to "openssl enc"; the callers
    // only need 128-bit keys.
    static QByteArray Rc4(const QByteArray& Key, const QByteArray& Data)
    {
        if (Key.size() != 16)
            throw std::logic_error("openssl enc takes 128-bit RC4 keys only");
        return Run({QStringLiteral("enc"), QStringLiteral("-rc4"), QStringLiteral("-nosalt"), QStringLiteral("-K"),
                       QString::fromLatin1(Key.toHex()), QStringLiteral("-provider"), QStringLiteral("legacy"),
                       QStringLiteral("-provider"), QStringLiteral("default")},
            Data);
    }

    // Cipher as "openssl enc" names it, e.g. "aes-256-cbc" or "aes-128-ecb"; no padding.
    static QByteArray Encrypt(const QString& Cipher, const QByteArray& Key, const QByteArray& Iv, const QByteArray& Data)
    {
        QStringList Arguments{QStringLiteral("enc"), QStringLiteral("-") + Cipher, QStringLiteral("-nosalt"),
            QStringLiteral("-nopad"), QStringLiteral("-K"), QString::fromLatin1(Key.toHex())};
        if (!Iv.isEmpty())
            Arguments << QStringLiteral("-iv") << QString::fromLatin1(Iv.toHex());
        return Run(Arguments, Data);
    }

    static QByteArray Utf16Le(const QString& Text)
    {
        QByteArray Bytes(Text.size() * 2, '\0');
        for (qsizetype I = 0; I < Text.size(); ++I)
            qToLittleEndian<quint16>(Text[I].unicode(), Bytes.data() + 2 * I);
        return Bytes;
    }

    static QByteArray UInt32Le(quint32 Value)
    {
        QByteArray Bytes(4, '\0');
        qToLittleEndian(Value, Bytes.data());
        return Bytes;
    }

private:
    static QByteArray Run(const QStringList& Arguments, const QByteArray& Input)
    {
        QProcess Process;
        Process.start(QStringLiteral("openssl"), Arguments);
        if (!Process.waitForStarted(30000))
            throw std::runtime_error("openssl did not start");
        Process.write(Input);
        Process.closeWriteChannel();
        if (!Process.waitForFinished(60000) || Process.exitStatus() != QProcess::NormalExit || Process.exitCode() != 0)
            throw std::runtime_error("openssl failed: " + Process.readAllStandardError().toStdString());
        return Process.readAllStandardOutput();
    }
};

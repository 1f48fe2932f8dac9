#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The lines of a Word 97-2003 document from its two streams: "WordDocument" and the
// table stream that the document names ("0Table" or "1Table"). Decrypts RC4 and RC4
// CryptoAPI encrypted documents with the password. Every failure is an EDocument that
// names the file.
class TWordStreamParser
{
public:
    // The name of the table stream that WordDocument refers to.
    static QString TableStreamName(const QByteArray& WordDocument, const QString& FileName);

    static QStringList Parse(
        QByteArray WordDocument, QByteArray Table, const QString& Password, const QString& FileName);
};

#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The lines of a Word document from its streams: "WordDocument" and, for Word 97-2003,
// the table stream that the document names ("0Table" or "1Table"); Word 6.0 and Word 95
// documents have none. Decrypts RC4 and RC4 CryptoAPI encrypted documents with the
// password. Every failure is an EDocument that names the file; Word 1.x and 2.x documents
// are refused with a message that names their format.
class TWordStreamParser
{
public:
    // The name of the table stream that WordDocument refers to, empty when it has none.
    static QString TableStreamName(const QByteArray& WordDocument, const QString& FileName);

    static QStringList Parse(
        QByteArray WordDocument, QByteArray Table, const QString& Password, const QString& FileName);
};

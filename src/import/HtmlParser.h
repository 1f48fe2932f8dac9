#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

// The paragraphs of a web page as Word opens it: one line per block (paragraph, heading,
// list item, table cell, division ...), also per line ended by <br> and per line of
// preformatted text; white space collapsed as a browser shows it, entities decoded.
class THtmlParser
{
public:
    // HeaderCharset is the charset that a MIME header gives the page (see THtmlCharset);
    // an empty LegacyCodec means the code page of the system locale.
    static QStringList Parse(const QByteArray& Page, const QString& FileName, const QByteArray& LegacyCodec = QByteArray(),
        QByteArrayView HeaderCharset = QByteArrayView());
};

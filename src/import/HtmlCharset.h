#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The character set of a web page, as browsers and Office choose it: a byte-order mark,
// else the charset of its MIME header (a part of a web archive), else the one its meta
// element declares, else UTF-8 when the bytes are valid UTF-8 and the ANSI code page when
// they are not, as for text files.
class THtmlCharset
{
public:
    // The page in UTF-8, for the parser. HeaderCharset is empty when no header names one;
    // an empty LegacyCodec means the code page of the system locale.
    static QByteArray ToUtf8(const QByteArray& Page, QByteArrayView HeaderCharset, const QByteArray& LegacyCodec,
        const QString& FileName);

    // The charset a meta element near the start of the page declares; empty when none.
    static QByteArray Declared(QByteArrayView Page);
};

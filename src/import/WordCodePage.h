#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The code page of the 8-bit text of a Word 6.0 or Word 95 document. Such a document
// names no code page: its block gives the Windows character set of the text, or leaves
// it to the language of the Word that saved it, whose Windows code page the text is in.
class TWordCodePage
{
public:
    // The converter name ("windows-1251", ...) for the character set and language that
    // the document's information block gives.
    static QByteArray Name(quint16 CharacterSet, quint16 Language);

    // Bytes decoded in the named code page; bytes that the code page does not map
    // become replacement characters. Raises EUnsupportedFormat when this system has no
    // converter for it, rather than give the text in a wrong one.
    static QString Decode(QByteArrayView Bytes, const QByteArray& CodePageName);
};

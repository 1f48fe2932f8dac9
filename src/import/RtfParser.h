#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The paragraphs of an RTF document, as Word shows its body text: one line per paragraph
// and per table cell, in the document's and each font's code page, Unicode characters
// without their 8-bit stand-ins, field results without their instructions. Tables of
// fonts, colours and styles, document information, pictures, headers, footers, notes,
// comments, list numbers and unknown destinations marked "\*" are passed over, as are
// hidden text (not shown on screen) and text deleted in tracked changes.
class TRtfParser
{
public:
    static QStringList Parse(const QByteArray& Content, const QString& FileName);
};

#pragma once

#include "CodePageDecoder.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <map>

// Gathers the body text of an RTF document into paragraph lines, the way the other Word
// readers deliver them:
// - 8-bit text is decoded in the code page it was written in; the bytes of one
//   character of a double-byte code page may come in several pieces;
// - a paragraph ends at a paragraph or cell mark and at a page, column or section break;
//   a break directly followed by a paragraph mark ends one paragraph, not two;
// - a row's end mark, which follows its last cell's mark, gives no line of its own;
// - text after the last mark gives a last line, the last mark itself no empty one.
class TRtfParagraphs
{
public:
    // Raises EUnsupportedFormat for bytes in a code page this system cannot decode.
    void AppendBytes(QByteArrayView Bytes, quint16 CodePage);
    void Append(char32_t Character);

    void EndParagraph();
    void EndCell();
    void EndRow();
    void Break();

    qsizetype Count() const noexcept { return FLines.size(); }
    QStringList Finish();

private:
    void Flush();
    void Push();

    QStringList FLines;
    QString FLine;
    // Bytes not yet decoded, all in one code page.
    QByteArray FBytes;
    quint16 FBytesCodePage = 0;
    std::map<quint16, TCodePageDecoder> FDecoders;
    bool FOpen = false;       // something was written after the last mark
    bool FAfterBreak = false; // nothing was written since the last break
};

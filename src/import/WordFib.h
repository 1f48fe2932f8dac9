#pragma once

#include <QByteArrayView>
#include <QString>

// The parts of the file information block at the start of a "WordDocument" stream that
// reading the main text needs, from Word 97-2003 documents and from Word 6.0 and Word 95
// documents, whose block has a fixed layout of its own. Only the first 68 bytes are
// stored in clear in an encrypted Word 97-2003 file; Read takes what it finds, so the
// caller reads the header first and the rest again after decrypting.
class TWordFib
{
public:
    // Bytes at the start of the stream that encryption leaves in clear.
    static constexpr qsizetype PlainSize = 68;

    struct TLocation
    {
        quint32 Offset = 0;
        quint32 Size = 0;
    };

    // Raises EMalformedData when the stream is no Word document or is cut short, and
    // EUnsupportedFormat for a Word 1.x or 2.x document. With HeaderOnly only the part
    // that encryption leaves in clear is read: the version and the flags, for Word
    // 97-2003 also the size of the encryption header.
    static TWordFib Read(QByteArrayView WordDocument, bool HeaderOnly = false);

    // "Word 1.x" or "Word 2.x" when the bytes begin like a document of those versions,
    // which are plain files rather than compound files; otherwise empty.
    static QString OlderFormat(QByteArrayView Bytes);

    quint16 Version = 0;
    // A Word 6.0 or Word 95 document: no table stream (its tables lie in WordDocument),
    // 8-bit text in the document's code page, a piece table only when Complex.
    bool Word6 = false;
    bool TableStreamOne = false; // the table stream is "1Table", otherwise "0Table"
    bool Encrypted = false;
    bool Obfuscated = false;
    quint32 EncryptionHeaderSize = 0;

    quint32 TextLength = 0; // characters of the main document text
    TLocation PieceTable;
    TLocation ParagraphFormatPages;
    TLocation CharacterFormatPages;

    // Word 6.0 and Word 95 only.
    bool Complex = true;       // fast-saved: the text lies in pieces, otherwise in one run
    bool WideText = false;     // the text is UTF-16 (Far East editions), not 8-bit
    quint32 TextStart = 0;     // stream offset of the one run of a document saved in full
    quint16 Language = 0;      // the language of the Word that saved it
    quint16 CharacterSet = 0;  // the Windows character set of the text; 0 means "by language"
    quint16 ParagraphPageCount = 0; // formatting pages, also those the page index leaves out
    quint16 CharacterPageCount = 0; // the same for the character formatting
    TLocation FontTable;
    TLocation StyleSheet;
};

#pragma once

#include <QByteArrayView>

// The parts of the file information block at the start of a Word 97-2003 "WordDocument"
// stream that reading the main text needs. Only the first 68 bytes are stored in clear
// in an encrypted file; Read takes what it finds, so the caller reads the header first
// and the rest again after decrypting.
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

    // Raises EMalformedData when the stream is no Word 97-2003 document or is cut short.
    // With HeaderOnly only the clear part is read (the fields below Encrypted stay zero).
    static TWordFib Read(QByteArrayView WordDocument, bool HeaderOnly = false);

    quint16 Version = 0;
    bool TableStreamOne = false; // the table stream is "1Table", otherwise "0Table"
    bool Encrypted = false;
    bool Obfuscated = false;
    quint32 EncryptionHeaderSize = 0;

    quint32 TextLength = 0; // characters of the main document text
    TLocation PieceTable;
    TLocation ParagraphFormatPages;
};

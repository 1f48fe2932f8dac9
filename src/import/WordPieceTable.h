#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

// Where the characters of a Word document lie in its "WordDocument" stream: the
// document's text is a sequence of pieces. In a Word 97-2003 document each piece is
// stored either as 8-bit text (Windows code page 1252 as Word maps it) or as UTF-16LE;
// in a Word 6.0 or Word 95 document every piece is 8-bit text in the document's code
// page, or UTF-16LE in the Far East editions.
class TWordPieceTable
{
public:
    // Clx is the piece table of a Word 97-2003 document as stored in the table stream.
    // Raises EMalformedData for a damaged table.
    explicit TWordPieceTable(QByteArrayView Clx);

    // The piece table of a fast-saved Word 6.0 / Word 95 document.
    static TWordPieceTable Word6(QByteArrayView Clx, bool WideText);
    // The text of a Word 6.0 / Word 95 document saved in full: one run from Offset.
    static TWordPieceTable SingleRun(qint64 Offset, qint64 Length, bool WideText);

    // Characters 0 to Length - 1, read from WordDocument. Raises EMalformedData when a
    // piece lies outside the stream or the pieces do not cover that many characters.
    QString Text(QByteArrayView WordDocument, qint64 Length) const;

    // The bytes of characters 0 to Length - 1 of a table whose pieces are all 8-bit, for
    // decoding in the document's own code page. Fails as Text does.
    QByteArray Bytes(QByteArrayView WordDocument, qint64 Length) const;

    // The stream offset of character Position, or -1 when no piece holds it.
    qint64 StreamOffset(qint64 Position) const;

    qsizetype Count() const noexcept { return FPieces.size(); }

    static QChar Windows1252(quint8 Byte) noexcept;

private:
    struct TPiece
    {
        qint64 Start = 0; // first character position
        qint64 End = 0;   // one past the last
        qint64 Offset = 0; // stream offset of the first character
        bool Compressed = false;
    };

    TWordPieceTable() = default;
    void Read(QByteArrayView Clx, bool Word6, bool WideText);

    // Calls Append(Piece, first byte, character count) for the pieces that hold
    // characters 0 to Length - 1, after checking that they lie inside the stream.
    template <class TAppend>
    void ForEachRun(QByteArrayView WordDocument, qint64 Length, TAppend Append) const;

    QList<TPiece> FPieces;
};

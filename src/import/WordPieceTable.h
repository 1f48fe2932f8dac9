#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

// Where the characters of a Word document lie in its "WordDocument" stream: the
// document's text is a sequence of pieces. In a Word 97-2003 document each piece is
// stored either as 8-bit text (Windows code page 1252 as Word maps it) or as UTF-16LE;
// in a Word 6.0 or Word 95 document every piece is 8-bit text in the document's code
// page, or UTF-16LE in the Far East editions. A fast-saved document may also give a
// piece property modifiers of its own, which apply over the formatting of its text.
class TWordPieceTable
{
public:
    // Characters of the text asked for that follow each other in the stream: of one piece,
    // or of pieces that go on where the one before ends, with the same kind of text and
    // the same modifier.
    struct TRun
    {
        qint64 Start = 0;    // character position of the first one
        qint64 Count = 0;    // characters
        qint64 Offset = 0;   // their stream offset
        bool Compressed = false; // 8-bit rather than UTF-16
        const char* Bytes = nullptr; // the first one in the stream
        quint16 Modifier = 0;    // the piece's property modifier (its Prm)
    };

    // Clx is the piece table of a Word 97-2003 document as stored in the table stream.
    // Raises EMalformedData for a damaged table.
    explicit TWordPieceTable(QByteArrayView Clx);

    // The piece table of a fast-saved Word 6.0 / Word 95 document.
    static TWordPieceTable Word6(QByteArrayView Clx, bool WideText);
    // The text of a Word 6.0 / Word 95 document saved in full: one run from Offset.
    static TWordPieceTable SingleRun(qint64 Offset, qint64 Length, bool WideText);

    // The runs of characters 0 to Length - 1, in order, read from WordDocument. Raises
    // EMalformedData when a piece lies outside the stream or the pieces do not cover that
    // many characters.
    QList<TRun> Runs(QByteArrayView WordDocument, qint64 Length) const;

    // The bytes of characters 0 to Length - 1 of a table whose pieces are all 8-bit.
    // Fails as Runs does.
    QByteArray Bytes(QByteArrayView WordDocument, qint64 Length) const;

    // The property modifiers (a grpprl) that a piece's modifier stands for; empty when it
    // changes nothing this reader looks at.
    QByteArray Modifiers(quint16 Modifier) const;

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
        quint16 Modifier = 0;
    };

    TWordPieceTable() = default;
    void Read(QByteArrayView Clx, bool WideText);

    QList<TPiece> FPieces;
    QList<QByteArray> FModifierLists; // the property modifier lists that complex modifiers name
    bool FWord6 = false;
};

#pragma once

#include <QByteArrayView>
#include <QList>
#include <QString>

// Where the characters of a Word 97-2003 document lie in its "WordDocument" stream: the
// document's text is a sequence of pieces, each stored either as 8-bit text (Windows
// code page 1252 as Word maps it) or as UTF-16LE.
class TWordPieceTable
{
public:
    // Clx is the piece table as stored in the table stream. Raises EMalformedData for a
    // damaged table.
    explicit TWordPieceTable(QByteArrayView Clx);

    // Characters 0 to Length - 1, read from WordDocument. Raises EMalformedData when a
    // piece lies outside the stream or the pieces do not cover that many characters.
    QString Text(QByteArrayView WordDocument, qint64 Length) const;

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

    QList<TPiece> FPieces;
};

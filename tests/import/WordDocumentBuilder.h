#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringEncoder>
#include <QtEndian>

#include <algorithm>

// Builds the two streams of a small Word 97-2003 document by hand: a file information
// block, text pieces (8-bit or UTF-16), the piece table and, when rows are marked, one
// page of paragraph properties, so that the reader can be tested on exactly the
// structures a case needs. BuildWord6 builds the one stream of a Word 6.0 / Word 95
// document from the same pieces instead.
class TWordDocumentBuilder
{
public:
    struct TPiece
    {
        QString Text;
        bool Compressed = false;
    };

    QList<TPiece> Pieces;
    QList<qint64> RowEnds;  // character positions of marks that end a table row
    bool TableOne = true;
    bool PropertyModifierFirst = false;
    qint64 TextLength = -1; // -1: the sum of the pieces

    // Word 6.0 / Word 95 only. 8-bit pieces are written in CodePage; UTF-16 pieces make
    // the document one of the Far East editions.
    quint16 Version = 104;
    bool Complex = true;
    bool Encrypted = false;
    quint16 Language = 0x0409;
    quint16 CharacterSet = 0;
    QByteArray CodePage = "windows-1252";
    qsizetype RunsPerPage = 0;      // paragraph runs per formatting page, 0: all in one
    bool ListFirstPageOnly = false; // as a document saved in full may do

    static constexpr qsizetype TextStart = 1024;

    static QByteArray UInt16(quint16 Value)
    {
        QByteArray Bytes(2, '\0');
        qToLittleEndian(Value, Bytes.data());
        return Bytes;
    }

    static QByteArray UInt32(quint32 Value)
    {
        QByteArray Bytes(4, '\0');
        qToLittleEndian(Value, Bytes.data());
        return Bytes;
    }

    static void Put(QByteArray& Bytes, qsizetype Offset, const QByteArray& Value)
    {
        if (Bytes.size() < Offset + Value.size())
            Bytes.resize(Offset + Value.size(), '\0');
        Bytes.replace(Offset, Value.size(), Value);
    }

    void Build(QByteArray& WordDocument, QByteArray& Table) const
    {
        WordDocument = QByteArray(TextStart, '\0');
        Put(WordDocument, 0, UInt16(0xA5EC) + UInt16(0x00C1));
        Put(WordDocument, 0x0A, UInt16(TableOne ? 0x0200 : 0));
        Put(WordDocument, 0x20, UInt16(14));
        const qsizetype Longs = 0x22 + 28;
        Put(WordDocument, Longs, UInt16(22));
        const qsizetype Pairs = Longs + 2 + 22 * 4;
        Put(WordDocument, Pairs, UInt16(93));

        // Text, and the stream offset of every character for the formatting page.
        QList<qint64> Offsets;
        QByteArray Positions = UInt32(0);
        QByteArray Descriptors;
        qint64 Characters = 0;
        for (const TPiece& Piece : Pieces)
        {
            const qsizetype Start = WordDocument.size();
            for (QChar Char : Piece.Text)
            {
                Offsets.append(WordDocument.size());
                if (Piece.Compressed)
                    WordDocument += char(Char.unicode());
                else
                    WordDocument += UInt16(Char.unicode());
            }
            Characters += Piece.Text.size();
            Positions += UInt32(quint32(Characters));
            Descriptors += UInt16(0) + UInt32(Piece.Compressed ? quint32(Start * 2) | 0x40000000u : quint32(Start))
                + UInt16(0);
        }
        Put(WordDocument, Longs + 2 + 3 * 4, UInt32(quint32(TextLength < 0 ? Characters : TextLength)));

        Table = QByteArray("table stream start");
        if (PropertyModifierFirst)
            Table += char(0x01) + UInt16(3) + QByteArray("\x08\x02\x00", 3);
        const QByteArray Clx = char(0x02) + UInt32(quint32(Positions.size() + Descriptors.size())) + Positions
            + Descriptors;
        const qsizetype ClxOffset = QByteArray("table stream start").size();
        Table += Clx.sliced(0);
        Put(WordDocument, Pairs + 2 + 33 * 8, UInt32(quint32(ClxOffset)) + UInt32(quint32(Table.size() - ClxOffset)));

        if (RowEnds.isEmpty())
            return;
        // One page of paragraph properties: a run per paragraph mark; the row ends get
        // properties that say so, behind a table definition of variable length.
        const qsizetype PageOffset = (WordDocument.size() + 511) / 512 * 512;
        QByteArray Page(512, '\0');
        QList<qint64> Bounds{TextStart};
        QList<bool> Rows;
        const QString Text = AllText();
        for (qsizetype I = 0; I < Text.size() && I < Offsets.size(); ++I)
            if (Text[I] == QChar(0x0D) || Text[I] == QChar(0x07))
            {
                Bounds.append(Offsets[I] + (Offsets.size() > I + 1 ? Offsets[I + 1] - Offsets[I] : 1));
                Rows.append(RowEnds.contains(I));
            }
        const qsizetype Runs = Rows.size();
        for (qsizetype I = 0; I <= Runs; ++I)
            Put(Page, I * 4, UInt32(quint32(Bounds[I])));
        const QByteArray Properties = UInt16(0) + UInt16(0x2416) + char(1) + UInt16(0xD608) + UInt16(5)
            + QByteArray("\x01\x02\x03\x04", 4) + UInt16(0x2417) + char(1);
        Put(Page, 400, QByteArray(1, '\0') + char(Properties.size() / 2) + Properties);
        for (qsizetype I = 0; I < Runs; ++I)
            Page[(Runs + 1) * 4 + I * 13] = Rows[I] ? char(200) : char(0);
        Page[511] = char(Runs);
        WordDocument.resize(PageOffset, '\0');
        WordDocument += Page;

        const qsizetype PagesOffset = Table.size();
        Table += UInt32(quint32(TextStart)) + UInt32(quint32(Bounds.last())) + UInt32(quint32(PageOffset / 512));
        Put(WordDocument, Pairs + 2 + 13 * 8, UInt32(quint32(PagesOffset)) + UInt32(12));
    }

    QByteArray BuildWord6() const
    {
        QByteArray Stream(TextStart, '\0');
        bool Wide = false;
        for (const TPiece& Piece : Pieces)
            Wide = Wide || !Piece.Compressed;
        Put(Stream, 0, UInt16(0xA5DC) + UInt16(Version) + UInt16(0) + UInt16(Language));
        Put(Stream, 0x0A, UInt16((Complex ? 0x0004 : 0) | (Encrypted ? 0x0100 : 0) | (Wide ? 0x1000 : 0)));
        Put(Stream, 0x14, UInt16(CharacterSet));
        Put(Stream, 0x18, UInt32(quint32(TextStart)));

        // Character positions count bytes of 8-bit text, so a double-byte character takes two.
        QStringEncoder Encoder(CodePage.constData());
        QList<qint64> MarkEnds; // stream offset after each paragraph or cell mark
        QList<bool> Rows;
        QByteArray Positions = UInt32(0);
        QByteArray Descriptors;
        qint64 Characters = 0;
        qsizetype Index = 0;
        for (const TPiece& Piece : Pieces)
        {
            const qsizetype Start = Stream.size();
            for (QChar Char : Piece.Text)
            {
                const QByteArray Bytes = Piece.Compressed ? QByteArray(Encoder.encode(QString(Char))) : UInt16(Char.unicode());
                Stream += Bytes;
                Characters += Piece.Compressed ? Bytes.size() : 1;
                if (Char == QChar(0x0D) || Char == QChar(0x07))
                {
                    MarkEnds.append(Stream.size());
                    Rows.append(RowEnds.contains(Index));
                }
                ++Index;
            }
            Positions += UInt32(quint32(Characters));
            Descriptors += UInt16(0) + UInt32(quint32(Start)) + UInt16(0);
        }
        Put(Stream, 0x1C, UInt32(quint32(Stream.size())));
        Put(Stream, 0x34, UInt32(quint32(TextLength < 0 ? Characters : TextLength)));
        if (Complex)
        {
            Put(Stream, 0x160, UInt32(quint32(Stream.size())) + UInt32(quint32(5 + Positions.size() + Descriptors.size())));
            Stream += char(0x02) + UInt32(quint32(Positions.size() + Descriptors.size())) + Positions + Descriptors;
        }
        if (RowEnds.isEmpty())
            return Stream;

        // Formatting pages: 7-byte entries, properties with one-byte codes, a row end marked
        // behind a table definition of 16-bit length.
        const QByteArray RowEnd = UInt16(0) + QByteArray("\x05\x01\xBE\x05\x00\x01\x02\x03\x04\x18\x01\x19\x01\x00", 14);
        const qsizetype PerPage = RunsPerPage > 0 ? RunsPerPage : MarkEnds.size();
        Stream.resize((Stream.size() + 511) / 512 * 512, '\0');
        const quint16 FirstPage = quint16(Stream.size() / 512);
        QByteArray Bounds = UInt32(quint32(TextStart));
        QByteArray PageNumbers;
        qsizetype PageCount = 0;
        for (qsizetype First = 0; First < MarkEnds.size(); First += PerPage, ++PageCount)
        {
            const qsizetype Runs = std::min(PerPage, MarkEnds.size() - First);
            QByteArray Page(512, '\0');
            Put(Page, 0, UInt32(quint32(First == 0 ? TextStart : MarkEnds[First - 1])));
            for (qsizetype I = 0; I < Runs; ++I)
            {
                Put(Page, (I + 1) * 4, UInt32(quint32(MarkEnds[First + I])));
                Page[(Runs + 1) * 4 + I * 7] = Rows[First + I] ? char(200) : char(0);
            }
            Put(Page, 400, char(RowEnd.size() / 2) + RowEnd);
            Page[511] = char(Runs);
            Stream += Page;
            if (!ListFirstPageOnly || PageCount == 0)
            {
                Bounds += UInt32(quint32(MarkEnds[First + Runs - 1]));
                PageNumbers += UInt16(quint16(FirstPage + PageCount));
            }
        }
        Put(Stream, 0xC0, UInt32(quint32(Stream.size())) + UInt32(quint32(Bounds.size() + PageNumbers.size())));
        Put(Stream, 0x190, UInt16(quint16(PageCount)));
        Stream += Bounds + PageNumbers;
        return Stream;
    }

    QString AllText() const
    {
        QString Text;
        for (const TPiece& Piece : Pieces)
            Text += Piece.Text;
        return Text;
    }
};

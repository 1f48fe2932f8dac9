#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringEncoder>
#include <QtEndian>

#include <algorithm>

// Builds the two streams of a small Word 97-2003 document by hand: a file information
// block, text pieces (8-bit or UTF-16), the piece table and, when asked for, a page of
// paragraph properties and pages of character properties, so that the reader can be tested
// on exactly the structures a case needs. BuildWord6 builds the one stream of a Word 6.0 /
// Word 95 document from the same pieces instead, with its font table and style sheet.
class TWordDocumentBuilder
{
public:
    struct TPiece
    {
        TPiece() = default;
        TPiece(const QString& Text, bool Compressed, quint16 Modifier = 0, const QByteArray& CodePage = {})
            : Text(Text), Compressed(Compressed), Modifier(Modifier), CodePage(CodePage)
        {
        }

        QString Text;
        bool Compressed = false;
        quint16 Modifier = 0; // the piece's property modifier (Prm)
        QByteArray CodePage;  // Word 6.0 / Word 95 8-bit text; empty: the document's
    };

    // Characters Start to End - 1 of the whole text and their property modifiers.
    struct TRun
    {
        qint64 Start = 0;
        qint64 End = 0;
        QByteArray Properties;
    };

    QList<TPiece> Pieces;
    QList<qint64> RowEnds;  // character positions of marks that end a table row
    QList<TRun> CharacterRuns; // in order, on pages of character properties
    QList<QByteArray> ModifierLists; // the property modifier lists before the pieces
    bool TableOne = true;
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
    QList<quint8> FontCharacterSets; // the font table, one character set per font
    struct TStyle
    {
        bool Paragraph = true;
        quint16 Base = 0x0FFF; // none
        qint32 Font = -1;      // none
    };
    QList<TStyle> Styles; // the style sheet, written when not empty
    quint16 DefaultFont = 0;
    QList<quint16> ParagraphStyles; // the style of each paragraph, by its mark's index

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

    // The property modifier lists and the piece descriptors of a piece table.
    QByteArray Clx(const QByteArray& Positions, const QByteArray& Descriptors) const
    {
        QByteArray Clx;
        for (const QByteArray& List : ModifierLists)
            Clx += char(0x01) + UInt16(quint16(List.size())) + List;
        return Clx + char(0x02) + UInt32(quint32(Positions.size() + Descriptors.size())) + Positions + Descriptors;
    }

    // Appends the pages of character properties to WordDocument, 32 runs to a page, and
    // returns their bin table; Offsets are the stream offsets of the characters and of the
    // end of the text.
    QByteArray AppendCharacterPages(QByteArray& WordDocument, const QList<qint64>& Offsets, bool Word6) const
    {
        if (CharacterRuns.isEmpty())
            return QByteArray();
        QList<qint64> Bounds;
        QList<QByteArray> Properties;
        for (const TRun& Run : CharacterRuns)
        {
            if (!Bounds.isEmpty() && Bounds.last() != Offsets[Run.Start])
            {
                Properties.append(QByteArray());
                Bounds.append(Offsets[Run.Start]);
            }
            if (Bounds.isEmpty())
                Bounds.append(Offsets[Run.Start]);
            Properties.append(Run.Properties);
            Bounds.append(Offsets[Run.End]);
        }
        constexpr qsizetype PerPage = 32;
        QByteArray PageBounds = UInt32(quint32(Bounds.first()));
        QByteArray PageNumbers;
        WordDocument.resize((WordDocument.size() + 511) / 512 * 512, '\0');
        for (qsizetype First = 0; First < Properties.size(); First += PerPage)
        {
            QByteArray Page(512, '\0');
            const qsizetype Runs = std::min(PerPage, Properties.size() - First);
            for (qsizetype I = 0; I <= Runs; ++I)
                Put(Page, I * 4, UInt32(quint32(Bounds[First + I])));
            qsizetype Free = 511;
            for (qsizetype I = 0; I < Runs; ++I)
                if (!Properties[First + I].isEmpty())
                {
                    Free = (Free - Properties[First + I].size() - 1) & ~qsizetype(1);
                    Put(Page, Free, char(Properties[First + I].size()) + Properties[First + I]);
                    Page[(Runs + 1) * 4 + I] = char(Free / 2);
                }
            Page[511] = char(Runs);
            const quint32 PageNumber = quint32(WordDocument.size() / 512);
            WordDocument += Page;
            PageBounds += UInt32(quint32(Bounds[First + Runs]));
            PageNumbers += Word6 ? UInt16(quint16(PageNumber)) : UInt32(PageNumber);
        }
        return PageBounds + PageNumbers;
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
                + UInt16(Piece.Modifier);
        }
        Put(WordDocument, Longs + 2 + 3 * 4, UInt32(quint32(TextLength < 0 ? Characters : TextLength)));

        Table = QByteArray("table stream start");
        const qsizetype ClxOffset = Table.size();
        Table += Clx(Positions, Descriptors);
        Put(WordDocument, Pairs + 2 + 33 * 8, UInt32(quint32(ClxOffset)) + UInt32(quint32(Table.size() - ClxOffset)));

        const QByteArray CharacterBins = AppendCharacterPages(WordDocument, Offsets + QList<qint64>{WordDocument.size()}, false);
        if (!CharacterBins.isEmpty())
        {
            Put(WordDocument, Pairs + 2 + 12 * 8, UInt32(quint32(Table.size())) + UInt32(quint32(CharacterBins.size())));
            Table += CharacterBins;
        }
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
        QList<qint64> Offsets;  // stream offset of each character, then of the end
        QList<qint64> MarkEnds; // stream offset after each paragraph or cell mark
        QList<bool> Rows;
        QByteArray Positions = UInt32(0);
        QByteArray Descriptors;
        qint64 Characters = 0;
        qsizetype Index = 0;
        for (const TPiece& Piece : Pieces)
        {
            const qsizetype Start = Stream.size();
            QStringEncoder Encoder((Piece.CodePage.isEmpty() ? CodePage : Piece.CodePage).constData());
            for (QChar Char : Piece.Text)
            {
                const QByteArray Bytes = Piece.Compressed ? QByteArray(Encoder.encode(QString(Char))) : UInt16(Char.unicode());
                Offsets.append(Stream.size());
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
            Descriptors += UInt16(0) + UInt32(quint32(Start)) + UInt16(Piece.Modifier);
        }
        Offsets.append(Stream.size());
        Put(Stream, 0x1C, UInt32(quint32(Stream.size())));
        Put(Stream, 0x34, UInt32(quint32(TextLength < 0 ? Characters : TextLength)));
        if (Complex)
        {
            const QByteArray Table = Clx(Positions, Descriptors);
            Put(Stream, 0x160, UInt32(quint32(Stream.size())) + UInt32(quint32(Table.size())));
            Stream += Table;
        }
        AppendFontsAndStyles(Stream);
        const QByteArray CharacterBins = AppendCharacterPages(Stream, Offsets, true);
        if (!CharacterBins.isEmpty())
        {
            Put(Stream, 0xB8, UInt32(quint32(Stream.size())) + UInt32(quint32(CharacterBins.size())));
            Put(Stream, 0x18E, UInt16(quint16((CharacterBins.size() - 4) / 6)));
            Stream += CharacterBins;
        }
        if (RowEnds.isEmpty() && ParagraphStyles.isEmpty())
            return Stream;

        // Formatting pages: 7-byte entries, properties with one-byte codes, a row end marked
        // behind a table definition of 16-bit length.
        const QByteArray RowEnd = QByteArray("\x05\x01\xBE\x05\x00\x01\x02\x03\x04\x18\x01\x19\x01\x00", 14);
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
            QList<QByteArray> Written; // the properties on the page, from offset 400 on
            for (qsizetype I = 0; I < Runs; ++I)
            {
                Put(Page, (I + 1) * 4, UInt32(quint32(MarkEnds[First + I])));
                const quint16 Style = First + I < ParagraphStyles.size() ? ParagraphStyles[First + I] : 0;
                const QByteArray Papx = UInt16(Style) + (Rows[First + I] ? RowEnd : QByteArray());
                if (Papx == UInt16(0))
                    continue;
                qsizetype At = 400;
                for (const QByteArray& Other : Written)
                    if (Other != Papx)
                        At += (Other.size() + 2) & ~1;
                    else
                        break;
                if (!Written.contains(Papx))
                {
                    Written.append(Papx);
                    Put(Page, At, char(Papx.size() / 2) + Papx);
                }
                Page[(Runs + 1) * 4 + I * 7] = char(At / 2);
            }
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

    // The font table (fonts F0, F1, ... of the given character sets) and the style sheet.
    void AppendFontsAndStyles(QByteArray& Stream) const
    {
        if (!FontCharacterSets.isEmpty())
        {
            QByteArray Fonts;
            for (qsizetype I = 0; I < FontCharacterSets.size(); ++I)
            {
                const QByteArray Name = "F" + QByteArray::number(I) + '\0';
                Fonts += QByteArray(1, char(5 + Name.size())) + char(0x16) + UInt16(400) + char(FontCharacterSets[I]) + char(0) + Name;
            }
            Fonts.prepend(UInt16(quint16(Fonts.size() + 2)));
            Put(Stream, 0xD0, UInt32(quint32(Stream.size())) + UInt32(quint32(Fonts.size())));
            Stream += Fonts;
        }
        if (Styles.isEmpty())
            return;
        QByteArray Sheet = UInt16(14) + UInt16(quint16(Styles.size())) + UInt16(8) + UInt16(0) + UInt16(0)
            + UInt16(0) + UInt16(0) + UInt16(DefaultFont);
        for (qsizetype I = 0; I < Styles.size(); ++I)
        {
            const TStyle& Style = Styles[I];
            QByteArray Std = UInt16(0x0FFE) + UInt16(quint16((Style.Base << 4) | (Style.Paragraph ? 1 : 2)))
                + UInt16(quint16(Style.Paragraph ? 2 : 1)) + UInt16(0);
            const QByteArray Name = "Style " + QByteArray::number(I);
            Std += char(Name.size()) + Name + '\0';
            const QByteArray Characters = Style.Font < 0 ? QByteArray() : char(93) + UInt16(quint16(Style.Font));
            for (const QByteArray& Part : Style.Paragraph ? QList<QByteArray>{UInt16(quint16(I)), Characters}
                                                          : QList<QByteArray>{Characters})
            {
                Std.resize((Std.size() + 1) & ~1, '\0');
                Std += UInt16(quint16(Part.size())) + Part;
            }
            Sheet += UInt16(quint16(Std.size())) + Std;
        }
        Put(Stream, 0x60, UInt32(quint32(Stream.size())) + UInt32(quint32(Sheet.size())));
        Stream += Sheet;
    }

    QString AllText() const
    {
        QString Text;
        for (const TPiece& Piece : Pieces)
            Text += Piece.Text;
        return Text;
    }
};

#include "WordPieceTable.h"

#include "ByteCursor.h"
#include "MalformedDataError.h"

#include <QtEndian>

#include <algorithm>

namespace
{
constexpr quint8 PropertyModifier = 0x01;
constexpr quint8 PieceDescriptors = 0x02;
constexpr qsizetype DescriptorSize = 8;
constexpr quint32 CompressedFlag = 0x40000000;
constexpr quint32 OffsetMask = 0x3FFFFFFF;

// A piece's modifier names a list of modifiers (bit 0 set, the list's index above it) or
// holds one modifier with a one-byte operand, whose code Word 6.0 and Word 95 give in
// full and Word 97-2003 by a number that only a table turns into the code.
constexpr quint16 ComplexModifier = 0x0001;
constexpr quint8 Word97ModifierDeleted = 0x41;  // sprmCFRMarkDel
constexpr quint8 Word97ModifierInserted = 0x42; // sprmCFRMarkIns
constexpr quint16 SprmDeleted = 0x0800;
constexpr quint16 SprmInserted = 0x0801;
} // namespace

TWordPieceTable::TWordPieceTable(QByteArrayView Clx)
{
    Read(Clx, false);
}

TWordPieceTable TWordPieceTable::Word6(QByteArrayView Clx, bool WideText)
{
    TWordPieceTable Table;
    Table.FWord6 = true;
    Table.Read(Clx, WideText);
    return Table;
}

TWordPieceTable TWordPieceTable::SingleRun(qint64 Offset, qint64 Length, bool WideText)
{
    TWordPieceTable Table;
    Table.FWord6 = true;
    if (Length > 0)
        Table.FPieces.append(TPiece{0, Length, Offset, !WideText});
    return Table;
}

void TWordPieceTable::Read(QByteArrayView Clx, bool WideText)
{
    TByteCursor Cursor(Clx);
    // The property modifier lists of fast-saved documents come first; pieces name them by
    // their index.
    quint8 Kind = Cursor.ReadUInt8();
    while (Kind == PropertyModifier)
    {
        const auto Size = static_cast<qint16>(Cursor.ReadUInt16());
        if (Size < 0)
            throw EMalformedData(QStringLiteral("片段表中的格式修饰长度 %1 无效").arg(Size));
        FModifierLists.append(Cursor.ReadBytes(Size).toByteArray());
        Kind = Cursor.ReadUInt8();
    }
    if (Kind != PieceDescriptors)
        throw EMalformedData(QStringLiteral("片段表的类型 0x%1 无效").arg(Kind, 2, 16, QLatin1Char('0')));
    const quint32 Size = Cursor.ReadUInt32();
    if (Size > quint32(Cursor.Remaining()) || Size < 4 || (Size - 4) % (4 + DescriptorSize) != 0)
        throw EMalformedData(QStringLiteral("片段表的长度 %1 无效").arg(Size));
    const qsizetype Count = qsizetype(Size - 4) / (4 + DescriptorSize);
    const qsizetype Positions = Cursor.Position();
    const qsizetype Descriptors = Positions + (Count + 1) * 4;

    FPieces.reserve(Count);
    TByteCursor PositionCursor(Clx, Positions);
    TByteCursor DescriptorCursor(Clx, Descriptors);
    qint64 Start = PositionCursor.ReadUInt32();
    if (Start != 0)
        throw EMalformedData(QStringLiteral("片段表不从第一个字符开始"));
    for (qsizetype I = 0; I < Count; ++I)
    {
        const qint64 End = PositionCursor.ReadUInt32();
        if (End <= Start)
            throw EMalformedData(QStringLiteral("片段表的字符位置没有递增"));
        DescriptorCursor.Skip(2);
        const quint32 Location = DescriptorCursor.ReadUInt32();
        TPiece Piece;
        Piece.Modifier = DescriptorCursor.ReadUInt16();
        Piece.Start = Start;
        Piece.End = End;
        if (FWord6)
        {
            // Word 6.0 and Word 95 give plain stream offsets; the kind of text is the document's.
            Piece.Compressed = !WideText;
            Piece.Offset = Location;
        }
        else
        {
            Piece.Compressed = (Location & CompressedFlag) != 0;
            Piece.Offset = Piece.Compressed ? (Location & OffsetMask) / 2 : (Location & OffsetMask);
        }
        FPieces.append(Piece);
        Start = End;
    }
}

QChar TWordPieceTable::Windows1252(quint8 Byte) noexcept
{
    // Only these bytes differ from Latin-1 in Word's 8-bit text.
    static const char16_t High[32] = {0x0080, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6,
        0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x008E, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x009E, 0x0178};
    return Byte >= 0x80 && Byte <= 0x9F ? QChar(High[Byte - 0x80]) : QChar(Byte);
}

QList<TWordPieceTable::TRun> TWordPieceTable::Runs(QByteArrayView WordDocument, qint64 Length) const
{
    // Every character takes at least one byte of the stream, so a longer text can only
    // come from a damaged table; checking first keeps such a table from costing memory.
    if (Length < 0 || Length > WordDocument.size())
        throw EMalformedData(QStringLiteral("文本长度 %1 超出了文档流").arg(Length));
    QList<TRun> Runs;
    Runs.reserve(FPieces.size());
    qint64 Covered = 0;
    for (const TPiece& Piece : FPieces)
    {
        if (Piece.Start >= Length)
            break;
        const qint64 Count = std::min(Piece.End, Length) - Piece.Start;
        const qint64 Bytes = Piece.Compressed ? Count : Count * 2;
        if (Piece.Offset > WordDocument.size() || Bytes > WordDocument.size() - Piece.Offset)
            throw EMalformedData(QStringLiteral("文本片段超出了文档流"));
        // A piece that goes on in the stream where the one before ends, with the same kind of
        // text and modifier, makes one run with it.
        if (!Runs.isEmpty() && Runs.last().Compressed == Piece.Compressed && Runs.last().Modifier == Piece.Modifier
            && Runs.last().Offset + Runs.last().Count * (Piece.Compressed ? 1 : 2) == Piece.Offset)
            Runs.last().Count += Count;
        else
            Runs.append(TRun{Piece.Start, Count, Piece.Offset, Piece.Compressed, WordDocument.data() + Piece.Offset,
                Piece.Modifier});
        Covered += Count;
    }
    if (Covered < Length)
        throw EMalformedData(QStringLiteral("片段表只含 %1 个字符，少于正文的 %2 个").arg(Covered).arg(Length));
    return Runs;
}

QByteArray TWordPieceTable::Bytes(QByteArrayView WordDocument, qint64 Length) const
{
    QByteArray Bytes;
    for (const TRun& Run : Runs(WordDocument, Length))
        Bytes.append(Run.Bytes, Run.Count);
    return Bytes;
}

QByteArray TWordPieceTable::Modifiers(quint16 Modifier) const
{
    if (Modifier & ComplexModifier)
    {
        const qsizetype Index = Modifier >> 1;
        return Index < FModifierLists.size() ? FModifierLists[Index] : QByteArray();
    }
    const quint8 Code = (Modifier >> 1) & 0x7F;
    const char Operand = char(Modifier >> 8);
    if (FWord6)
        return Code == 0 ? QByteArray() : QByteArray(1, char(Code)) + Operand;
    if (Code != Word97ModifierDeleted && Code != Word97ModifierInserted)
        return QByteArray();
    const quint16 Sprm = Code == Word97ModifierDeleted ? SprmDeleted : SprmInserted;
    return QByteArray(1, char(Sprm & 0xFF)) + char(Sprm >> 8) + Operand;
}

qint64 TWordPieceTable::StreamOffset(qint64 Position) const
{
    const auto Piece = std::upper_bound(FPieces.cbegin(), FPieces.cend(), Position,
        [](qint64 Value, const TPiece& Candidate) { return Value < Candidate.End; });
    if (Piece == FPieces.cend() || Position < Piece->Start)
        return -1;
    return Piece->Offset + (Position - Piece->Start) * (Piece->Compressed ? 1 : 2);
}

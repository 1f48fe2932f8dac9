#include "WordParagraphFormats.h"

#include "ByteCursor.h"
#include "MalformedDataError.h"

#include <QtEndian>

#include <algorithm>
#include <array>

namespace
{
constexpr quint16 SprmRowEnd = 0x2417;         // sprmPFTtp
constexpr quint16 SprmInnerRowEnd = 0x244C;    // sprmPFInnerTtp
constexpr quint16 SprmTableDefinition = 0xD608; // sprmTDefTable, a 16-bit length
constexpr quint16 SprmChangeTabs = 0xC615;      // sprmPChgTabs, a length of 255 means "count it"
constexpr quint32 PageNumberMask = 0x003FFFFF;

// Word 6.0 and Word 95 use one-byte property codes whose operand sizes only a table tells.
constexpr quint8 Word6SprmRowEnd = 25;    // sprmPTtp
constexpr quint8 Word6SprmChangeTabs = 23; // sprmPChgTabs, as above
constexpr qint8 Variable = -1;     // a length byte comes first
constexpr qint8 LongVariable = -2; // a 16-bit length, one more than the operand

struct TSizeRange
{
    quint8 First;
    quint8 Last;
    qint8 Size;
};

constexpr TSizeRange Word6FixedSizes[] = {{0, 0, 0}, {2, 2, 2}, {4, 11, 1}, {13, 14, 1}, {16, 19, 2}, {20, 20, 4},
    {21, 22, 2}, {24, 25, 1}, {26, 28, 2}, {29, 29, 1}, {30, 36, 2}, {37, 37, 1}, {38, 43, 2}, {44, 44, 1},
    {45, 49, 2}, {50, 51, 1}, {52, 52, 0}, {65, 67, 1}, {69, 69, 2}, {70, 70, 4}, {71, 71, 1}, {72, 72, 2},
    {73, 73, 3}, {75, 75, 1}, {80, 80, 2}, {83, 83, 0}, {85, 92, 1}, {93, 93, 2}, {94, 94, 1}, {95, 95, 3},
    {96, 97, 2}, {98, 98, 1}, {99, 99, 2}, {100, 100, 1}, {101, 101, 2}, {102, 102, 1}, {104, 104, 1},
    {107, 107, 2}, {109, 110, 2}, {117, 119, 1}, {121, 124, 2}, {131, 132, 1}, {136, 137, 3}, {138, 139, 1},
    {140, 141, 2}, {142, 143, 1}, {144, 145, 2}, {146, 147, 1}, {148, 149, 2}, {150, 153, 1}, {154, 157, 2},
    {158, 159, 1}, {160, 161, 2}, {162, 162, 1}, {163, 163, 0}, {164, 171, 2}, {182, 184, 2}, {185, 186, 1},
    {187, 187, 12}, {189, 189, 2}, {190, 190, LongVariable}, {192, 192, 4}, {193, 193, 5}, {194, 194, 4},
    {195, 195, 2}, {196, 196, 4}, {197, 198, 2}, {199, 199, 5}, {200, 200, 4}};

// Codes missing from the table are of variable length, as every code Word 6.0 added late is.
constexpr std::array<qint8, 256> Word6OperandSizes = [] {
    std::array<qint8, 256> Sizes{};
    Sizes.fill(Variable);
    for (const TSizeRange& Range : Word6FixedSizes)
        for (int Sprm = Range.First; Sprm <= Range.Last; ++Sprm)
            Sizes[Sprm] = Range.Size;
    return Sizes;
}();

// The size of a counted tab change from Start, as OperandSize measures it; -1 when Data
// ends before its counts.
qsizetype CountedTabsSize(QByteArrayView Data, qsizetype Start)
{
    if (Start >= Data.size())
        return -1;
    const qsizetype Added = Start + 1 + qsizetype(static_cast<quint8>(Data[Start])) * 4;
    if (Added >= Data.size())
        return -1;
    return Added + 1 + qsizetype(static_cast<quint8>(Data[Added])) * 3 - Start;
}

// The operand length of a property modifier, from its kind in the top three bits.
qsizetype OperandSize(quint16 Sprm, TByteCursor& Cursor)
{
    switch (Sprm >> 13)
    {
    case 0:
    case 1:
        return 1;
    case 2:
    case 4:
    case 5:
        return 2;
    case 3:
        return 4;
    case 7:
        return 3;
    default:
        break;
    }
    if (Sprm == SprmTableDefinition)
    {
        const quint16 Size = Cursor.ReadUInt16();
        return Size == 0 ? 0 : Size - 1;
    }
    const quint8 Size = Cursor.ReadUInt8();
    if (Sprm != SprmChangeTabs || Size != 255)
        return Size;
    // Deleted tabs (positions and close zones), then added tabs (positions and kinds).
    const qsizetype Start = Cursor.Position();
    const quint8 Deleted = Cursor.ReadUInt8();
    Cursor.Skip(qsizetype(Deleted) * 4);
    const quint8 Added = Cursor.ReadUInt8();
    Cursor.Skip(qsizetype(Added) * 3);
    const qsizetype Total = Cursor.Position() - Start;
    Cursor.Seek(Start);
    return Total;
}
} // namespace

TWordParagraphFormats::TWordParagraphFormats(
    QByteArrayView WordDocument, QByteArrayView Pages, bool Word6, quint16 PageCount)
    : FWordDocument(WordDocument)
    , FWord6(Word6)
{
    if (Pages.isEmpty())
        return;
    // Word 6.0 and Word 95 number their pages with 16 bits.
    const qsizetype EntrySize = Word6 ? 6 : 8;
    if (Pages.size() < 4 || (Pages.size() - 4) % EntrySize != 0)
        throw EMalformedData(QStringLiteral("段落格式索引的长度 %1 无效").arg(Pages.size()));
    const qsizetype Count = (Pages.size() - 4) / EntrySize;
    TByteCursor Cursor(Pages);
    for (qsizetype I = 0; I <= Count; ++I)
    {
        FBoundaries.append(Cursor.ReadUInt32());
        if (I > 0 && FBoundaries[I] < FBoundaries[I - 1])
            throw EMalformedData(QStringLiteral("段落格式索引没有递增"));
    }
    for (qsizetype I = 0; I < Count; ++I)
        FPageNumbers.append(Word6 ? Cursor.ReadUInt16() : Cursor.ReadUInt32() & PageNumberMask);
    AddUnlistedPages(PageCount);
}

void TWordParagraphFormats::AddUnlistedPages(quint16 PageCount)
{
    // Each further page starts where the one before ends; one that does not is no
    // formatting page, and the pages after it are not looked for.
    for (qsizetype I = FPageNumbers.size(); I > 0 && I < PageCount; ++I)
    {
        const quint32 Number = FPageNumbers.last() + 1;
        const qint64 PageStart = qint64(Number) * PageSize;
        if (PageStart + PageSize > FWordDocument.size())
            return;
        const char* Page = FWordDocument.data() + PageStart;
        const quint8 Runs = static_cast<quint8>(Page[PageSize - 1]);
        if (Runs == 0 || qsizetype(Runs) * 11 + 4 > PageSize - 1)
            return;
        const quint32 First = qFromLittleEndian<quint32>(Page);
        const quint32 End = qFromLittleEndian<quint32>(Page + qsizetype(Runs) * 4);
        if (First != FBoundaries.last() || End <= First)
            return;
        FBoundaries.append(End);
        FPageNumbers.append(Number);
    }
}

bool TWordParagraphFormats::IsRowEnd(qint64 MarkOffset) const
{
    if (FPageNumbers.isEmpty() || MarkOffset < 0)
        return false;
    const auto Next = std::upper_bound(FBoundaries.cbegin(), FBoundaries.cend(), quint64(MarkOffset));
    if (Next == FBoundaries.cbegin() || Next == FBoundaries.cend())
        return false;
    const qsizetype Index = Next - FBoundaries.cbegin() - 1;
    const qint64 PageStart = qint64(FPageNumbers[Index]) * PageSize;
    if (PageStart + PageSize > FWordDocument.size())
        throw EMalformedData(QStringLiteral("段落格式页 %1 超出了文档流").arg(FPageNumbers[Index]));
    const QByteArrayView Page = FWordDocument.sliced(PageStart, PageSize);

    // A page: run boundaries (count + 1 offsets), one entry per run (13 bytes, 7 in Word
    // 6.0 and Word 95), count in the last byte.
    const qsizetype EntrySize = FWord6 ? 7 : 13;
    const quint8 Runs = static_cast<quint8>(Page[PageSize - 1]);
    if (qsizetype(Runs) * (EntrySize + 4) + 4 > PageSize - 1)
        throw EMalformedData(QStringLiteral("段落格式页的条目数 %1 无效").arg(Runs));
    TByteCursor Cursor(Page);
    qsizetype Run = -1;
    quint32 Previous = Cursor.ReadUInt32();
    for (qsizetype I = 0; I < Runs; ++I)
    {
        const quint32 End = Cursor.ReadUInt32();
        if (Run < 0 && quint64(MarkOffset) >= Previous && quint64(MarkOffset) < End)
            Run = I;
        Previous = End;
    }
    if (Run < 0)
        return false;
    const qsizetype Entry = (qsizetype(Runs) + 1) * 4 + Run * EntrySize;
    const qsizetype PropertiesOffset = qsizetype(static_cast<quint8>(Page[Entry])) * 2;
    if (PropertiesOffset == 0)
        return false; // the default properties: no table at all
    Cursor.Seek(PropertiesOffset);
    qsizetype Size = qsizetype(Cursor.ReadUInt8()) * 2;
    if (FWord6)
    {
        const QByteArrayView Properties = Cursor.ReadBytes(std::min(Size, Cursor.Remaining()));
        return Properties.size() > 2 && Word6GrpprlMarksRowEnd(Properties.sliced(2));
    }
    if (Size == 0)
        Size = qsizetype(Cursor.ReadUInt8()) * 2;
    else
        Size -= 1;
    const QByteArrayView Properties = Cursor.ReadBytes(Size);
    // The paragraph style comes first, the modifiers after it.
    return Properties.size() > 2 && GrpprlMarksRowEnd(Properties.sliced(2));
}

bool TWordParagraphFormats::GrpprlMarksRowEnd(QByteArrayView Grpprl) const
{
    TByteCursor Cursor(Grpprl);
    while (Cursor.Remaining() >= 2)
    {
        const quint16 Sprm = Cursor.ReadUInt16();
        const qsizetype Size = OperandSize(Sprm, Cursor);
        if ((Sprm == SprmRowEnd || Sprm == SprmInnerRowEnd) && Size == 1)
            return Cursor.ReadUInt8() != 0;
        Cursor.Skip(Size);
    }
    return false;
}

bool TWordParagraphFormats::Word6GrpprlMarksRowEnd(QByteArrayView Grpprl) const
{
    // A code measured wrongly ends the search rather than failing a readable document.
    qsizetype Position = 0;
    while (Position < Grpprl.size())
    {
        const quint8 Sprm = static_cast<quint8>(Grpprl[Position++]);
        qsizetype Size = Word6OperandSizes[Sprm];
        if (Size == Variable && Position < Grpprl.size())
        {
            Size = static_cast<quint8>(Grpprl[Position++]);
            if (Sprm == Word6SprmChangeTabs && Size == 255)
                Size = CountedTabsSize(Grpprl, Position);
        }
        else if (Size == LongVariable && Position + 2 <= Grpprl.size())
        {
            Size = std::max(qFromLittleEndian<quint16>(Grpprl.data() + Position) - 1, 0);
            Position += 2;
        }
        if (Size < 0 || Size > Grpprl.size() - Position)
            return false;
        if (Sprm == Word6SprmRowEnd && Size == 1)
            return Grpprl[Position] != 0;
        Position += Size;
    }
    return false;
}

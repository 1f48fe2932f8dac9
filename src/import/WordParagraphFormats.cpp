#include "WordParagraphFormats.h"

#include "ByteCursor.h"
#include "MalformedDataError.h"

#include <algorithm>

namespace
{
constexpr quint16 SprmRowEnd = 0x2417;         // sprmPFTtp
constexpr quint16 SprmInnerRowEnd = 0x244C;    // sprmPFInnerTtp
constexpr quint16 SprmTableDefinition = 0xD608; // sprmTDefTable, a 16-bit length
constexpr quint16 SprmChangeTabs = 0xC615;      // sprmPChgTabs, a length of 255 means "count it"
constexpr quint32 PageNumberMask = 0x003FFFFF;

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

TWordParagraphFormats::TWordParagraphFormats(QByteArrayView WordDocument, QByteArrayView Pages)
    : FWordDocument(WordDocument)
{
    if (Pages.isEmpty())
        return;
    if (Pages.size() < 4 || (Pages.size() - 4) % 8 != 0)
        throw EMalformedData(QStringLiteral("段落格式索引的长度 %1 无效").arg(Pages.size()));
    const qsizetype Count = (Pages.size() - 4) / 8;
    TByteCursor Cursor(Pages);
    for (qsizetype I = 0; I <= Count; ++I)
    {
        FBoundaries.append(Cursor.ReadUInt32());
        if (I > 0 && FBoundaries[I] < FBoundaries[I - 1])
            throw EMalformedData(QStringLiteral("段落格式索引没有递增"));
    }
    for (qsizetype I = 0; I < Count; ++I)
        FPageNumbers.append(Cursor.ReadUInt32() & PageNumberMask);
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

    // A page: run boundaries (count + 1 offsets), one 13-byte entry per run, count in the last byte.
    const quint8 Runs = static_cast<quint8>(Page[PageSize - 1]);
    if (qsizetype(Runs) * 17 + 4 > PageSize - 1)
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
    const qsizetype Entry = (qsizetype(Runs) + 1) * 4 + Run * 13;
    const qsizetype PropertiesOffset = qsizetype(static_cast<quint8>(Page[Entry])) * 2;
    if (PropertiesOffset == 0)
        return false; // the default properties: no table at all
    Cursor.Seek(PropertiesOffset);
    qsizetype Size = qsizetype(Cursor.ReadUInt8()) * 2;
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

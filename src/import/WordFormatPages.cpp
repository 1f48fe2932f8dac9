#include "WordFormatPages.h"

#include "ByteCursor.h"
#include "MalformedDataError.h"

#include <QtEndian>

#include <algorithm>
#include <limits>

namespace
{
constexpr quint32 PageNumberMask = 0x003FFFFF;

quint32 Offset(const char* Page, qsizetype Index)
{
    return qFromLittleEndian<quint32>(Page + Index * 4);
}
} // namespace

TWordFormatPages::TWordFormatPages(
    QByteArrayView WordDocument, QByteArrayView BinTable, bool Word6, quint16 PageCount, qsizetype EntrySize,
    bool SkipDamagedPages)
    : FWordDocument(WordDocument)
    , FEntrySize(EntrySize)
    , FSkipDamagedPages(SkipDamagedPages)
{
    if (BinTable.isEmpty())
        return;
    const qsizetype PageNumberSize = Word6 ? 2 : 4;
    if (BinTable.size() < 4 || (BinTable.size() - 4) % (4 + PageNumberSize) != 0)
        throw EMalformedData(QStringLiteral("格式索引的长度 %1 无效").arg(BinTable.size()));
    const qsizetype Count = (BinTable.size() - 4) / (4 + PageNumberSize);
    TByteCursor Cursor(BinTable);
    for (qsizetype I = 0; I <= Count; ++I)
    {
        FBoundaries.append(Cursor.ReadUInt32());
        if (I > 0 && FBoundaries[I] < FBoundaries[I - 1])
            throw EMalformedData(QStringLiteral("格式索引没有递增"));
    }
    for (qsizetype I = 0; I < Count; ++I)
        FPageNumbers.append(Word6 ? Cursor.ReadUInt16() : Cursor.ReadUInt32() & PageNumberMask);
    AddUnlistedPages(PageCount);
}

void TWordFormatPages::AddUnlistedPages(quint16 PageCount)
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
        if (Runs == 0 || qsizetype(Runs) * (FEntrySize + 4) + 4 > PageSize - 1)
            return;
        const quint32 First = Offset(Page, 0);
        const quint32 End = Offset(Page, Runs);
        if (First != FBoundaries.last() || End <= First)
            return;
        FBoundaries.append(End);
        FPageNumbers.append(Number);
    }
}

TWordFormatPages::TRun TWordFormatPages::Find(qint64 At) const
{
    TRun Run;
    Run.Start = At;
    Run.End = std::numeric_limits<qint64>::max();
    const auto Next = std::upper_bound(FBoundaries.cbegin(), FBoundaries.cend(), At,
        [](qint64 Value, quint32 Boundary) { return Value < qint64(Boundary); });
    if (Next == FBoundaries.cend() || At < 0)
        return Run;
    Run.End = *Next;
    if (Next == FBoundaries.cbegin())
        return Run;

    const qsizetype Index = Next - FBoundaries.cbegin() - 1;
    const qint64 PageStart = qint64(FPageNumbers[Index]) * PageSize;
    const bool Outside = PageStart + PageSize > FWordDocument.size();
    const quint8 Runs = Outside ? 0 : static_cast<quint8>(FWordDocument[PageStart + PageSize - 1]);
    if (Outside || qsizetype(Runs) * (FEntrySize + 4) + 4 > PageSize - 1)
    {
        if (FSkipDamagedPages)
        {
            Run.Start = FBoundaries[Index];
            return Run;
        }
        if (Outside)
            throw EMalformedData(QStringLiteral("格式页 %1 超出了文档流").arg(FPageNumbers[Index]));
        throw EMalformedData(QStringLiteral("格式页的条目数 %1 无效").arg(Runs));
    }
    const char* Page = FWordDocument.data() + PageStart;

    // The first run whose end lies after the offset.
    qsizetype Low = 1;
    qsizetype High = qsizetype(Runs) + 1;
    while (Low < High)
    {
        const qsizetype Middle = (Low + High) / 2;
        if (qint64(Offset(Page, Middle)) <= At)
            Low = Middle + 1;
        else
            High = Middle;
    }
    if (Runs == 0 || Low > Runs)
        return Run;
    const qint64 Start = Offset(Page, Low - 1);
    const qint64 End = Offset(Page, Low);
    if (At < Start)
    {
        Run.End = std::min<qint64>(Run.End, Start);
        return Run;
    }
    Run.Start = Start;
    Run.End = End;
    const qsizetype Entry = (qsizetype(Runs) + 1) * 4 + (Low - 1) * FEntrySize;
    Run.Entry = QByteArrayView(Page + Entry, FEntrySize);
    const qsizetype PropertiesOffset = qsizetype(static_cast<quint8>(Page[Entry])) * 2;
    if (PropertiesOffset > 0)
        Run.Properties = QByteArrayView(Page + PropertiesOffset, PageSize - 1 - PropertiesOffset);
    return Run;
}

#include "WordParagraphFormats.h"

#include "WordSprms.h"

#include <QtEndian>

#include <algorithm>

namespace
{
constexpr quint16 SprmRowEnd = 0x2417;      // sprmPFTtp
constexpr quint16 SprmInnerRowEnd = 0x244C; // sprmPFInnerTtp
constexpr quint8 Word6SprmRowEnd = 25;      // sprmPTtp
} // namespace

TWordParagraphFormats::TWordParagraphFormats(
    QByteArrayView WordDocument, QByteArrayView Pages, bool Word6, quint16 PageCount)
    : FPages(WordDocument, Pages, Word6, PageCount, Word6 ? 7 : 13)
    , FWord6(Word6)
{
}

QByteArrayView TWordParagraphFormats::Properties(qint64 MarkOffset) const
{
    if (FPages.IsEmpty() || MarkOffset < 0)
        return {};
    const QByteArrayView Papx = FPages.Find(MarkOffset).Properties;
    if (Papx.isEmpty())
        return {}; // the default properties: normal style, no table at all
    // A count of words first; in Word 97-2003 a zero count is a pad byte before the count.
    qsizetype Size = qsizetype(static_cast<quint8>(Papx[0])) * 2;
    qsizetype Start = 1;
    if (!FWord6)
    {
        if (Size == 0 && Papx.size() > 1)
        {
            Size = qsizetype(static_cast<quint8>(Papx[1])) * 2;
            Start = 2;
        }
        else
            Size -= 1;
    }
    return Papx.sliced(Start, std::clamp<qsizetype>(Size, 0, Papx.size() - Start));
}

bool TWordParagraphFormats::IsRowEnd(qint64 MarkOffset) const
{
    const QByteArrayView Papx = Properties(MarkOffset);
    if (Papx.size() <= 2)
        return false;
    // The paragraph style comes first, the modifiers after it.
    TWordSprms Sprms(Papx.sliced(2), FWord6);
    while (Sprms.Next())
    {
        const bool RowEnd = FWord6 ? Sprms.Code() == Word6SprmRowEnd
                                   : Sprms.Code() == SprmRowEnd || Sprms.Code() == SprmInnerRowEnd;
        if (RowEnd && Sprms.Operand().size() == 1)
            return Sprms.Byte() != 0;
    }
    return false;
}

quint16 TWordParagraphFormats::Style(qint64 MarkOffset) const
{
    const QByteArrayView Papx = Properties(MarkOffset);
    return Papx.size() < 2 ? 0 : qFromLittleEndian<quint16>(Papx.data());
}

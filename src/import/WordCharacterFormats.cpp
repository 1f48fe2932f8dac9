#include "WordCharacterFormats.h"

#include "MalformedDataError.h"

#include <algorithm>
#include <limits>

TWordCharacterFormats::TWordCharacterFormats(
    QByteArrayView WordDocument, QByteArrayView Pages, bool Word6, quint16 PageCount)
{
    // Formatting that cannot be read leaves the text with its styles' properties: the
    // text itself is still there.
    try
    {
        FPages = TWordFormatPages(WordDocument, Pages, Word6, PageCount, 1, true);
    }
    catch (const EMalformedData&)
    {
    }
}

QByteArrayView TWordCharacterFormats::Properties(qint64 Offset, qint64& End) const
{
    if (FPages.IsEmpty())
    {
        End = std::numeric_limits<qint64>::max();
        return {};
    }
    const TWordFormatPages::TRun Run = FPages.Find(Offset);
    End = Run.End;
    if (Run.Properties.isEmpty())
        return {};
    // A count of bytes, then the modifiers.
    const qsizetype Size = static_cast<quint8>(Run.Properties[0]);
    return Run.Properties.sliced(1, std::min<qsizetype>(Size, Run.Properties.size() - 1));
}

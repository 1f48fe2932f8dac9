#include "SubtitleWrapper.h"

#include "FontMeasure.h"
#include "SubtitleMeasure.h"
#include "SubtitleText.h"
#include "WrapBuffer.h"

#include "model/SubtitleItem.h"

#include <algorithm>
#include <limits>

namespace
{
// Every word of Text, from the last to the first, put in front of the text built so
// far, on its first line or on a new one.
void WrapWords(TWrapBuffer& Buffer, const TSubtitleItem* Item, QStringView Text)
{
    constexpr qint64 Int32Max = std::numeric_limits<qint32>::max();
    const qint64 BoxWidth = Item != nullptr ? Item->BoxWidth() : 0;
    qsizetype End = Text.size();
    for (;;) {
        qsizetype Start = End;
        while (Start > 0 && Text[Start - 1] != u' ')
            --Start;
        const QStringView Word = Text.sliced(Start, End - Start);
        if (Buffer.CanExtend(Word)) {
            qint64 WordWidth = 0;
            const qint64 Width = std::min(Buffer.MeasureWithWord(Word, WordWidth), Int32Max);
            Buffer.Prepend(Word, WordWidth, Width > BoxWidth);
        } else {
            const qint64 Width = std::min(Buffer.MeasureWithWordInFull(Word), Int32Max);
            Buffer.PrependInFull(Word, Width > BoxWidth);
        }
        if (Start == 0)
            break;
        End = Start - 1;
    }
}

// No line break, and no surrogate, which the wrap measures with its neighbours.
bool IsPlainLine(QStringView Text)
{
    for (const QChar Character : Text)
        if (Character == u'\r' || Character == u'\n' || Character.isSurrogate())
            return false;
    return true;
}

TWrapBuffer BufferFor(const TSubtitleItem* Item)
{
    return TWrapBuffer(Item != nullptr ? &TSubtitleMeasure::Font(*Item) : nullptr);
}
} // namespace

QString TSubtitleWrapper::Wrap(const TSubtitleItem* Item, const QString& Text, qint32& LineBreaks)
{
    // The wrap would give the words back joined by the blanks they had.
    if (Item != nullptr && FitsOnOneLine(*Item, Text, TSubtitleMeasure::Font(*Item).LineWidth(Text))) {
        LineBreaks = 0;
        return TSubtitleText::Trim(Text);
    }
    TWrapBuffer Buffer = BufferFor(Item);
    WrapWords(Buffer, Item, Text);
    const QString Result = TSubtitleText::Trim(Buffer.Build());
    LineBreaks = TSubtitleText::CountOccurrences(u"\r\n", Result);
    return Result;
}

qint32 TSubtitleWrapper::LineBreaks(const TSubtitleItem* Item, const QString& Text)
{
    if (Item != nullptr && FitsOnOneLine(*Item, Text, TSubtitleMeasure::Font(*Item).LineWidth(Text)))
        return 0;
    TWrapBuffer Buffer = BufferFor(Item);
    WrapWords(Buffer, Item, Text);
    return Buffer.TrimmedLineBreaks();
}

// While every word stays on the first line, each width the wrap measures is that of the
// line from the word to the end, and the last one is the whole text's: a plain text that
// fits on one line stays on one.
bool TSubtitleWrapper::FitsOnOneLine(const TSubtitleItem& Item, QStringView Text, qint64 Width)
{
    return Width <= qint64(Item.BoxWidth()) && IsPlainLine(Text);
}

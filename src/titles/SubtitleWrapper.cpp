#include "SubtitleWrapper.h"

#include "FontMeasure.h"
#include "SubtitleMeasure.h"
#include "SubtitleText.h"
#include "WrapBuffer.h"

#include "model/SubtitleItem.h"

#include <QVarLengthArray>

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

using TBreaks = QVarLengthArray<bool, 64>;

// The wrap of WrapWords on the measures of a plain text's words: from the last word to
// the first, each goes on the first line while that line with it, and every later line,
// stay within the box. BreakAfter[k] tells whether a line break follows word k.
void BreakPlainWords(const TSubtitleItem& Item, TFontMeasure& Font, std::span<const TSubtitleWrapper::TWord> Words,
                     TBreaks& BreakAfter)
{
    constexpr qint64 Int32Max = std::numeric_limits<qint32>::max();
    const qint64 BoxWidth = Item.BoxWidth();
    const qint64 BlankWidth = Font.LineWidth(u" ");
    BreakAfter.resize(qsizetype(Words.size()));
    qint64 First = 0;
    qint64 Rest = 0;
    for (std::size_t k = Words.size(); k-- > 0;) {
        const qint64 Width = std::min(std::max(Words[k].Width + First, Rest), Int32Max);
        BreakAfter[qsizetype(k)] = Width > BoxWidth;
        if (Width > BoxWidth) {
            Rest = std::max(Rest, First);
            First = Words[k].Width;
        } else {
            First = Words[k].Width + BlankWidth + First;
        }
    }
}

TWrapBuffer BufferFor(const TSubtitleItem* Item)
{
    return TWrapBuffer(Item != nullptr ? &TSubtitleMeasure::Font(*Item) : nullptr);
}
} // namespace

QString TSubtitleWrapper::Wrap(const TSubtitleItem* Item, const QString& Text, qint32& LineBreaks)
{
    QString Wrapped;
    if (Item != nullptr && IsPlain(Text)) {
        TFontMeasure& Font = TSubtitleMeasure::Font(*Item);
        std::vector<TWord> Words;
        AddWords(Words, Font, Text);
        TBreaks BreakAfter;
        BreakPlainWords(*Item, Font, Words, BreakAfter);
        // Without a break the wrap gives the words back joined by the blanks they had.
        if (std::find(BreakAfter.cbegin(), BreakAfter.cend(), true) == BreakAfter.cend()) {
            LineBreaks = 0;
            return TSubtitleText::Trim(Text);
        }
        // Each word followed by a blank or a line break, as the wrap buffer builds it.
        Wrapped.reserve(Text.size() + 2 * BreakAfter.size());
        qsizetype Start = 0;
        for (const bool Break : BreakAfter) {
            qsizetype End = Text.indexOf(QLatin1Char(' '), Start);
            if (End < 0)
                End = Text.size();
            Wrapped += QStringView(Text).sliced(Start, End - Start);
            Wrapped += Break ? QStringView(u"\r\n") : QStringView(u" ");
            Start = End + 1;
        }
    } else {
        TWrapBuffer Buffer = BufferFor(Item);
        WrapWords(Buffer, Item, Text);
        Wrapped = Buffer.Build();
    }
    const QString Result = TSubtitleText::Trim(Wrapped);
    LineBreaks = TSubtitleText::CountOccurrences(u"\r\n", Result);
    return Result;
}

qint32 TSubtitleWrapper::LineBreaks(const TSubtitleItem* Item, const QString& Text)
{
    if (Item != nullptr && IsPlain(Text)) {
        TFontMeasure& Font = TSubtitleMeasure::Font(*Item);
        std::vector<TWord> Words;
        AddWords(Words, Font, Text);
        return PlainLineBreaks(*Item, Font, Words);
    }
    TWrapBuffer Buffer = BufferFor(Item);
    WrapWords(Buffer, Item, Text);
    return Buffer.TrimmedLineBreaks();
}

// A surrogate is measured with its neighbour, and a line break changes the lines.
bool TSubtitleWrapper::IsPlain(QStringView Text)
{
    for (const QChar Character : Text)
        if (Character == u'\r' || Character == u'\n' || Character.isSurrogate())
            return false;
    return true;
}

void TSubtitleWrapper::AddWords(std::vector<TWord>& Words, TFontMeasure& Font, QStringView Text)
{
    if (Words.empty())
        Words.emplace_back();
    qsizetype Start = 0;
    for (;;) {
        qsizetype End = Start;
        bool Visible = false;
        while (End < Text.size() && Text[End] != u' ') {
            Visible = Visible || Text[End].unicode() > 32;
            ++End;
        }
        TWord& Word = Words.back();
        Word.Width += Font.LineWidth(Text.sliced(Start, End - Start));
        Word.Visible = Word.Visible || Visible;
        if (End == Text.size())
            return;
        Words.emplace_back();
        Start = End + 1;
    }
}

qint32 TSubtitleWrapper::PlainLineBreaks(const TSubtitleItem& Item, TFontMeasure& Font, std::span<const TWord> Words)
{
    TBreaks BreakAfter;
    BreakPlainWords(Item, Font, Words, BreakAfter);
    std::size_t LastVisible = 0;
    for (std::size_t k = 0; k < Words.size(); ++k)
        if (Words[k].Visible)
            LastVisible = k;
    // The breaks that trimming keeps: those after a visible word and before the last one.
    qint32 Breaks = 0;
    bool SeenVisible = false;
    for (std::size_t k = 0; k < LastVisible; ++k) {
        SeenVisible = SeenVisible || Words[k].Visible;
        if (BreakAfter[qsizetype(k)] && SeenVisible)
            ++Breaks;
    }
    return Breaks;
}

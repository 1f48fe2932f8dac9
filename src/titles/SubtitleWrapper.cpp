#include "SubtitleWrapper.h"

#include "FontMeasure.h"
#include "LineUnits.h"
#include "SubtitleMeasure.h"
#include "SubtitleText.h"
#include "UnitMeasures.h"
#include "WrapBuffer.h"

#include "model/SubtitleItem.h"

#include <QVarLengthArray>

#include <algorithm>
#include <limits>
#include <span>
#include <vector>

namespace
{
// A unit of a plain text as the wrap sees it: its width, and whether it follows the unit
// before it with no blank between them (TLineUnits::TUnit::Glued).
struct TWord
{
    qint64 Width = 0;
    bool Glued = false;
};

// A text that a line may break inside a word of is measured as its lines will be drawn:
// each unit with the blank that separates it from the text after it, if any. Any other
// text keeps the measure its titles have always had, each word immediately followed by
// the text after it, which ends in the blank that trimming removes.
bool MeasuredExactly(const TLineUnits::TList& Units)
{
    return std::any_of(Units.cbegin(), Units.cend(), [](const TLineUnits::TUnit& Unit) { return Unit.Glued; });
}

bool MeasuredExactly(std::span<const TWord> Words)
{
    return std::any_of(Words.begin(), Words.end(), [](const TWord& Word) { return Word.Glued; });
}

// Whether the unit after Units[k] follows it with no blank between them. The last unit
// is followed by a blank, which trimming removes, unless the text is measured exactly.
bool GluedToNext(const TLineUnits::TList& Units, qsizetype k, bool Exact)
{
    return k + 1 < Units.size() ? Units[k + 1].Glued : Exact;
}

// Every unit of Text, from the last to the first, put in front of the text built so
// far, on its first line or on a new one.
void WrapUnits(TWrapBuffer& Buffer, const TSubtitleItem* Item, QStringView Text, const TLineUnits::TList& Units,
               bool Exact)
{
    constexpr qint64 Int32Max = std::numeric_limits<qint32>::max();
    const qint64 BoxWidth = Item != nullptr ? Item->BoxWidth() : 0;
    for (qsizetype k = Units.size(); k-- > 0;) {
        const QStringView Unit = Text.sliced(Units[k].Start, Units[k].End - Units[k].Start);
        const bool Glued = GluedToNext(Units, k, Exact);
        if (Buffer.CanExtend(Unit)) {
            qint64 UnitWidth = 0;
            const qint64 Width = std::min(Buffer.MeasureWithWord(Unit, Glued, UnitWidth), Int32Max);
            Buffer.Prepend(Unit, UnitWidth, Width > BoxWidth, Glued);
        } else {
            const qint64 Width = std::min(Buffer.MeasureWithWordInFull(Unit, Glued), Int32Max);
            Buffer.PrependInFull(Unit, Width > BoxWidth, Glued);
        }
    }
}

using TBreaks = QVarLengthArray<bool, 64>;

// The wrap of WrapUnits on the measures of a plain text's units: from the last unit to
// the first, each goes on the first line while that line with it, and every later line,
// stay within the box. BreakAfter[k] tells whether a line break follows unit k.
void BreakPlainWords(const TSubtitleItem& Item, TFontMeasure& Font, std::span<const TWord> Words, TBreaks& BreakAfter)
{
    constexpr qint64 Int32Max = std::numeric_limits<qint32>::max();
    const qint64 BoxWidth = Item.BoxWidth();
    const qint64 BlankWidth = Font.LineWidth(u" ");
    const bool Exact = MeasuredExactly(Words);
    BreakAfter.resize(qsizetype(Words.size()));
    qint64 First = 0;
    qint64 Rest = 0;
    for (std::size_t k = Words.size(); k-- > 0;) {
        const bool Glued = k + 1 < Words.size() ? Words[k + 1].Glued : Exact;
        const qint64 Separator = Glued ? 0 : BlankWidth;
        const qint64 Width = std::min(std::max(Words[k].Width + (Exact ? Separator : 0) + First, Rest), Int32Max);
        BreakAfter[qsizetype(k)] = Width > BoxWidth;
        if (Width > BoxWidth) {
            Rest = std::max(Rest, First);
            First = Words[k].Width;
        } else {
            First = Words[k].Width + Separator + First;
        }
    }
}

// The measures of a plain text's units.
void MeasureUnits(TFontMeasure& Font, QStringView Text, const TLineUnits::TList& Units,
                  std::vector<TWord>& Words)
{
    Words.reserve(std::size_t(Units.size()));
    for (const TLineUnits::TUnit& Unit : Units) {
        const QStringView Part = Text.sliced(Unit.Start, Unit.End - Unit.Start);
        Words.push_back({Font.LineWidth(Part), Unit.Glued});
    }
}

// The wrap of any text through the wrap buffer.
TWrapBuffer WrapInBuffer(const TSubtitleItem* Item, QStringView Text, const TLineUnits::TList& Units)
{
    const bool Exact = MeasuredExactly(Units);
    TWrapBuffer Buffer(Item != nullptr ? &TSubtitleMeasure::Font(*Item) : nullptr, Exact);
    WrapUnits(Buffer, Item, Text, Units, Exact);
    return Buffer;
}
} // namespace

QString TSubtitleWrapper::Wrap(const TSubtitleItem* Item, const QString& Text, qint32& LineBreaks)
{
    TLineUnits::TList Units;
    TLineUnits::Split(Text, Units);
    return Wrap(Item, Text, Units, LineBreaks);
}

QString TSubtitleWrapper::Wrap(const TSubtitleItem* Item, const QString& Text, const TLineUnits::TList& Units,
                               qint32& LineBreaks)
{
    QString Wrapped;
    if (Item != nullptr && IsPlain(Text)) {
        TFontMeasure& Font = TSubtitleMeasure::Font(*Item);
        std::vector<TWord> Words;
        MeasureUnits(Font, Text, Units, Words);
        TBreaks BreakAfter;
        BreakPlainWords(*Item, Font, Words, BreakAfter);
        // Without a break the wrap gives the units back as they stood.
        if (std::find(BreakAfter.cbegin(), BreakAfter.cend(), true) == BreakAfter.cend()) {
            LineBreaks = 0;
            return TSubtitleText::Trim(Text);
        }
        // Each unit followed by its blank (none inside a word) or a line break, as the
        // wrap buffer builds it.
        Wrapped.reserve(Text.size() + 2 * BreakAfter.size());
        for (qsizetype k = 0; k < Units.size(); ++k) {
            Wrapped += QStringView(Text).sliced(Units[k].Start, Units[k].End - Units[k].Start);
            if (BreakAfter[k])
                Wrapped += QStringView(u"\r\n");
            else if (!GluedToNext(Units, k, true))
                Wrapped += QLatin1Char(' ');
        }
    } else {
        Wrapped = WrapInBuffer(Item, Text, Units).Build();
    }
    const QString Result = TSubtitleText::Trim(Wrapped);
    LineBreaks = TSubtitleText::CountOccurrences(u"\r\n", Result);
    return Result;
}

qint32 TSubtitleWrapper::LineBreaks(const TSubtitleItem* Item, const QString& Text)
{
    TLineUnits::TList Units;
    TLineUnits::Split(Text, Units);
    if (Item != nullptr && IsPlain(Text)) {
        TFontMeasure& Font = TSubtitleMeasure::Font(*Item);
        TUnitMeasures Measures;
        for (const TLineUnits::TUnit& Unit : Units) {
            const QStringView Part = QStringView(Text).sliced(Unit.Start, Unit.End - Unit.Start);
            Measures.Add(Font.LineWidth(Part), TSubtitleText::HasVisible(Part), Unit.Glued);
        }
        return Measures.LineBreaks(Item->BoxWidth(), Font.LineWidth(u" "));
    }
    return WrapInBuffer(Item, Text, Units).TrimmedLineBreaks();
}

// A surrogate is measured with its neighbour, and a line break changes the lines.
bool TSubtitleWrapper::IsPlain(QStringView Text)
{
    for (const QChar Character : Text)
        if (Character == u'\r' || Character == u'\n' || Character.isSurrogate())
            return false;
    return true;
}

void TSubtitleWrapper::AddUnit(TUnitMeasures& Units, TFontMeasure& Font, QStringView Unit, bool Glued)
{
    const bool Closed = !Unit.isEmpty() && Unit.back() == u' ';
    if (Closed)
        Unit.chop(1);
    if (Units.IsEmpty() || Glued)
        Units.Add(Font.LineWidth(Unit), TSubtitleText::HasVisible(Unit), Glued);
    else
        Units.Extend(Font.LineWidth(Unit), TSubtitleText::HasVisible(Unit));
    if (Closed)
        Units.Add(0, false, false);
}

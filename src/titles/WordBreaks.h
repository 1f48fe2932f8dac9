#pragma once

#include <QStringView>
#include <QVarLengthArray>

// Where a line may break inside a word, a text without blanks. Chinese and Japanese are
// written without blanks between their words, so a sentence would otherwise be one word
// that no box can hold: a line may also break between two characters wherever Unicode's
// line breaking rules (UAX #14, through ICU's line break iterator) allow it and one of
// the two is an ideograph, kana, a CJK symbol or punctuation mark or a full-width form.
// The rules keep closing punctuation, small kana and the prolonged sound mark off the
// start of a line and opening punctuation off its end. Words of Latin, Cyrillic, Greek
// or Korean letters gain no break: a hyphen, slash or digit between letters stays.
class TWordBreaks
{
public:
    using TOffsets = QVarLengthArray<qsizetype, 32>;

    // The offsets into Word, ascending and between 1 and Word.size() - 1, before which a
    // line may break. Offsets is cleared first.
    static void Find(QStringView Word, TOffsets& Offsets);
};

#pragma once

#include "LineUnits.h"

#include <QString>
#include <QStringView>


class TFontMeasure;
class TSubtitleItem;
class TUnitMeasures;

// Breaks a subtitle into lines that fit its box: lines are filled from the end
// backwards, so the last line is the fullest and the first takes what is left. The
// text's units (TLineUnits: its words, split at every blank so that two blanks give an
// empty word, and the parts of a Chinese or Japanese word between the places where a
// line may break inside it) are taken from the last to the first; each goes on the
// current first line while that line, measured in the item's font (TSubtitleMeasure),
// stays within BoxWidth pixels, and otherwise starts a new first line. A break at a
// blank takes the blank's place; a break inside a word removes nothing. A line exactly
// BoxWidth wide still fits, and a single unit wider than the box keeps a line of its
// own. Characters of code 32 or less are trimmed from both ends of the result. Without
// an item every unit fits.
//
// A text without breaks inside its words keeps the measure its titles have always had:
// a word is measured immediately followed by the text after it, which ends in a blank
// that trimming removes, so the last line is measured as drawn and the others one blank
// short. A text with such breaks is measured as its lines will be drawn: a unit with
// the blank between it and the text after it, if any, and no blank at the end.
class TSubtitleWrapper
{
public:
    // The wrapped text; LineBreaks gets the number of CR LF pairs in it, line breaks
    // that the text held already included.
    static QString Wrap(const TSubtitleItem* Item, const QString& Text, qint32& LineBreaks);
    // The same with the units of Text already known (TLineUnits::Split, or the cutting
    // of titles, which finds them as it goes).
    static QString Wrap(const TSubtitleItem* Item, const QString& Text, const TLineUnits::TList& Units,
                        qint32& LineBreaks);
    // The LineBreaks that Wrap would report, without building the wrapped text: what
    // the cutting of long subtitles asks for every candidate.
    static qint32 LineBreaks(const TSubtitleItem* Item, const QString& Text);

    // Whether Text holds no line break and no surrogate: its units' widths then add up.
    static bool IsPlain(QStringView Text);
    // Adds one unit of a plain text as TLineUnits cuts it, with the blank that closes
    // it if one does, measured in Font (the item's, TSubtitleMeasure): a new unit after
    // the last of Units when Glued, else a continuation of it (the empty unit that a
    // closing blank leaves, or the first unit of a text).
    static void AddUnit(TUnitMeasures& Units, TFontMeasure& Font, QStringView Unit, bool Glued);
};

#pragma once

#include "LineUnits.h"
#include "UnitMeasures.h"
#include "WordBreaks.h"

#include <QString>

class TSubtitleItem;
class TSubtitleItemFactory;

// Cuts a subtitle into the texts of its titles. The accepted text grows by one unit at a
// time (a word up to and including its closing blank, or the part of a Chinese or
// Japanese word up to the next place where a line may break inside it, TLineUnits)
// while the wrapped text still fits into LineMaximum lines; when one more unit would
// need more lines, or the rest of the subtitle has been taken, the accepted text becomes
// a title and the next title starts with the following unit. So a title holds a single
// unit only when the next unit would not fit beside it or when that unit is the
// subtitle's last.
//
// The first unit is always accepted, and a LineMaximum below 1 counts as 1: otherwise
// a first unit that alone needs too many lines would produce an empty title and lose
// the subtitle's first character.
//
// The item's font, box width and LineMaximum are read as each title is cut.
class TTitleSplitter
{
public:
    TTitleSplitter(const TSubtitleItemFactory& Factory, const TSubtitleItem& Item, QString Text);

    // The next title's text, not yet wrapped (it still ends with its closing blank
    // unless it is the rest of the subtitle or ends inside a word), and its units as it
    // was measured in them (for TSubtitleWrapper::Wrap); false when all of it has been
    // handed out.
    bool Next(QString& Accepted, TLineUnits::TList& Units);

private:
    // Where the unit that starts at From in FRest ends (its closing blank included).
    // InWord tells that it ends inside a word, Last that it ends FRest with no blank
    // after it.
    qsizetype UnitEnd(qsizetype From, bool& InWord, bool& Last);
    // Shifts what is known of the word looked at past the accepted text, which FRest
    // has just lost.
    void ForgetAccepted();
    // Takes the unit of FRest that ends at End into the accepted text.
    void Accept(qsizetype End, bool InWord, bool Last);

    const TSubtitleItemFactory& FFactory;
    const TSubtitleItem& FItem;
    QString FRest;               // what is left of the subtitle
    qsizetype FAcceptedSize = 0; // how much of FRest the next title takes so far
    bool FAcceptedInWord = false; // that ends inside a word
    bool FAcceptedLast = false;   // that is all of FRest, with no blank after it
    bool FAcceptedPlain = true;   // that is plain (TSubtitleWrapper::IsPlain)
    TUnitMeasures FAcceptedMeasures; // their measures (then the candidate's), while plain
    TLineUnits::TList FAcceptedUnits; // its units, as TLineUnits::Split gives them
    // The word of FRest that the units are being taken from, and the places inside it
    // where a line may break (offsets from its start); FWordStart is -1 when none is.
    qsizetype FWordStart = -1;
    qsizetype FWordEnd = -1;
    TWordBreaks::TOffsets FWordBreaks;
    bool FFirst = true;
    bool FDone = false;
};

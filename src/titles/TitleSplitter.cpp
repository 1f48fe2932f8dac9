#include "TitleSplitter.h"

#include "FontMeasure.h"
#include "SubtitleItemFactory.h"
#include "SubtitleMeasure.h"
#include "SubtitleWrapper.h"

#include "model/SubtitleItem.h"

#include <algorithm>

TTitleSplitter::TTitleSplitter(const TSubtitleItemFactory& Factory, const TSubtitleItem& Item, QString Text)
    : FFactory(Factory)
    , FItem(Item)
    , FRest(std::move(Text))
{
}

qsizetype TTitleSplitter::UnitEnd(qsizetype From, bool& InWord, bool& Last)
{
    // A unit starts a word unless it follows a break inside the word already looked at.
    if (FWordStart < 0 || From < FWordStart || From >= FWordEnd) {
        FWordStart = From;
        FWordEnd = FRest.indexOf(u' ', From);
        if (FWordEnd < 0)
            FWordEnd = FRest.size();
        TWordBreaks::Find(QStringView(FRest).sliced(FWordStart, FWordEnd - FWordStart), FWordBreaks);
    }
    const auto Next = std::upper_bound(FWordBreaks.cbegin(), FWordBreaks.cend(), From - FWordStart);
    if (Next != FWordBreaks.cend()) {
        InWord = true;
        Last = false;
        return FWordStart + *Next;
    }
    InWord = false;
    Last = FWordEnd == FRest.size();
    return Last ? FWordEnd : FWordEnd + 1;
}

void TTitleSplitter::ForgetAccepted()
{
    if (!FAcceptedInWord) {
        FWordStart = -1;
        return;
    }
    // The title ended inside the word looked at; the next starts with the rest of it.
    // A line may break in that rest where it could before, for no rule of UAX #14 looks
    // back across a place where a line may break, so the word is not looked at again.
    const qsizetype Cut = FAcceptedSize - FWordStart;
    TWordBreaks::TOffsets Rest;
    for (const qsizetype Break : FWordBreaks)
        if (Break > Cut)
            Rest.push_back(Break - Cut);
    FWordBreaks = Rest;
    FWordStart = 0;
    FWordEnd -= FAcceptedSize;
}

void TTitleSplitter::Accept(qsizetype End, bool InWord, bool Last)
{
    const bool Closed = !InWord && !Last; // by a blank, which the next unit follows
    const TLineUnits::TUnit Unit{FAcceptedSize, Closed ? End - 1 : End, FAcceptedInWord};
    // After a closing blank the units end with the empty unit that the next one fills.
    if (!FAcceptedUnits.isEmpty() && !FAcceptedInWord)
        FAcceptedUnits.back() = Unit;
    else
        FAcceptedUnits.push_back(Unit);
    if (Closed)
        FAcceptedUnits.push_back({End, End, false});
    FAcceptedSize = End;
    FAcceptedInWord = InWord;
    FAcceptedLast = Last;
}

bool TTitleSplitter::Next(QString& Accepted, TLineUnits::TList& Units)
{
    if (FDone)
        return false;
    TFontMeasure& Font = TSubtitleMeasure::Font(FItem);
    const qint64 BlankWidth = Font.LineWidth(u" ");
    for (;;) {
        bool InWord = false;
        bool Last = false;
        const qsizetype End = UnitEnd(FAcceptedSize, InWord, Last);
        const QStringView Candidate = QStringView(FRest).first(End);
        // The candidate is the accepted text and one more unit. While the text is plain,
        // only that unit is measured, and the wrap is worked out from the units'
        // measures. They are added in place: a candidate turned down ends the title, and
        // the next title measures its own.
        const QStringView Added = Candidate.sliced(FAcceptedSize);
        const bool Plain = FAcceptedPlain && TSubtitleWrapper::IsPlain(Added);
        qint32 LineBreaks = 0;
        if (Plain) {
            TSubtitleWrapper::AddUnit(FAcceptedMeasures, Font, Added, FAcceptedInWord);
            LineBreaks = FAcceptedMeasures.LineBreaks(FItem.BoxWidth(), BlankWidth);
        } else {
            LineBreaks = FFactory.WrappedLineBreaks(&FItem, Candidate.toString());
        }
        const qint32 LineMaximum = std::max<qint32>(1, FItem.LineMaximum());
        if (!FAcceptedLast && (FFirst || LineBreaks <= LineMaximum - 1)) {
            FFirst = false;
            Accept(End, InWord, Last);
            FAcceptedPlain = Plain;
            continue;
        }
        Accepted = FRest.left(FAcceptedSize);
        Units = FAcceptedUnits;
        if (FAcceptedLast) {
            FDone = true;
        } else {
            FRest.remove(0, FAcceptedSize);
            ForgetAccepted();
            FAcceptedSize = 0;
            FAcceptedInWord = false;
            FAcceptedUnits.clear();
            const qsizetype FirstEnd = UnitEnd(0, InWord, Last);
            Accept(FirstEnd, InWord, Last);
            const QStringView First = QStringView(FRest).first(FAcceptedSize);
            FAcceptedPlain = TSubtitleWrapper::IsPlain(First);
            FAcceptedMeasures.Clear();
            if (FAcceptedPlain)
                TSubtitleWrapper::AddUnit(FAcceptedMeasures, Font, First, false);
        }
        return true;
    }
}

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
    for (const qsizetype Break : FWordBreaks) {
        if (FWordStart + Break > From) {
            InWord = true;
            Last = false;
            return FWordStart + Break;
        }
    }
    InWord = false;
    Last = FWordEnd == FRest.size();
    return Last ? FWordEnd : FWordEnd + 1;
}

bool TTitleSplitter::Next(QString& Accepted)
{
    if (FDone)
        return false;
    TFontMeasure& Font = TSubtitleMeasure::Font(FItem);
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
            TSubtitleWrapper::AddUnit(FAcceptedWords, Font, Added, FAcceptedInWord);
            LineBreaks = TSubtitleWrapper::PlainLineBreaks(FItem, Font, FAcceptedWords);
        } else {
            LineBreaks = FFactory.WrappedLineBreaks(&FItem, Candidate.toString());
        }
        const qint32 LineMaximum = std::max<qint32>(1, FItem.LineMaximum());
        if (!FAcceptedLast && (FFirst || LineBreaks <= LineMaximum - 1)) {
            FFirst = false;
            FAcceptedSize = End;
            FAcceptedInWord = InWord;
            FAcceptedLast = Last;
            FAcceptedPlain = Plain;
            continue;
        }
        Accepted = FRest.left(FAcceptedSize);
        if (FAcceptedLast) {
            FDone = true;
        } else {
            FRest.remove(0, FAcceptedSize);
            FWordStart = -1;
            FAcceptedSize = UnitEnd(0, FAcceptedInWord, FAcceptedLast);
            const QStringView First = QStringView(FRest).first(FAcceptedSize);
            FAcceptedPlain = TSubtitleWrapper::IsPlain(First);
            FAcceptedWords.clear();
            if (FAcceptedPlain)
                TSubtitleWrapper::AddUnit(FAcceptedWords, Font, First, false);
        }
        return true;
    }
}

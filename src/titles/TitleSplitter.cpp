#include "TitleSplitter.h"

#include "FontMeasure.h"
#include "SubtitleItemFactory.h"
#include "SubtitleMeasure.h"
#include "SubtitleWrapper.h"
#include "SubtitleText.h"

#include "model/SubtitleItem.h"

#include <algorithm>

TTitleSplitter::TTitleSplitter(const TSubtitleItemFactory& Factory, const TSubtitleItem& Item, QString Text)
    : FFactory(Factory)
    , FItem(Item)
    , FRest(std::move(Text))
{
}

bool TTitleSplitter::Next(QString& Accepted)
{
    if (FDone)
        return false;
    TFontMeasure& Font = TSubtitleMeasure::Font(FItem);
    for (;;) {
        qint32 Position = 0;
        const QStringView Candidate = TSubtitleText::UpToBlank(FRest, FSearch, 1, Position);
        // The candidate is the accepted text and one more word. While the text is plain,
        // only that word is measured, and the wrap is worked out from the words' measures.
        // They are added in place: a candidate turned down ends the title, and the next
        // title measures its own.
        const QStringView Added = Candidate.sliced(std::min(FAcceptedSize, Candidate.size()));
        const bool Plain = FAcceptedPlain && TSubtitleWrapper::IsPlain(Added);
        qint32 LineBreaks = 0;
        if (Plain) {
            TSubtitleWrapper::AddWords(FAcceptedWords, Font, Added);
            LineBreaks = TSubtitleWrapper::PlainLineBreaks(FItem, Font, FAcceptedWords);
        } else {
            LineBreaks = FFactory.WrappedLineBreaks(&FItem, Candidate.toString());
        }
        const qint32 LineMaximum = std::max<qint32>(1, FItem.LineMaximum());
        if (FEnd != 0 && (FFirst || LineBreaks <= LineMaximum - 1)) {
            FFirst = false;
            FAcceptedSize = Candidate.size();
            FAcceptedPlain = Plain;
            FEnd = Position;
            FSearch = FEnd + 1;
            continue;
        }
        Accepted = FRest.left(FAcceptedSize);
        if (FEnd == 0) {
            FDone = true;
        } else {
            FRest.remove(0, FEnd);
            FSearch = 1;
            const QStringView First = TSubtitleText::UpToBlank(FRest, FSearch, 1, FEnd);
            FAcceptedSize = First.size();
            FAcceptedPlain = TSubtitleWrapper::IsPlain(First);
            FAcceptedWords.clear();
            if (FAcceptedPlain)
                TSubtitleWrapper::AddWords(FAcceptedWords, Font, First);
            FSearch = FEnd + 1;
        }
        return true;
    }
}

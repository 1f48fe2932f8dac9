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
        const QString Candidate = TSubtitleText::CopyToBlank(FRest, FSearch, 1, Position);
        // The candidate is the accepted text and one more word. While the text is plain,
        // only that word is measured, and the wrap is worked out from the words' measures.
        const QStringView Added = QStringView(Candidate).sliced(std::min(FAccepted.size(), Candidate.size()));
        // The words are added in place: a candidate turned down ends the title, and the
        // next title measures its own.
        const bool Plain = FAcceptedPlain && TSubtitleWrapper::IsPlain(Added);
        qint32 LineBreaks = 0;
        if (Plain) {
            TSubtitleWrapper::AddWords(FAcceptedWords, Font, Added);
            LineBreaks = TSubtitleWrapper::PlainLineBreaks(FItem, Font, FAcceptedWords);
        } else {
            LineBreaks = FFactory.WrappedLineBreaks(&FItem, Candidate);
        }
        const qint32 LineMaximum = std::max<qint32>(1, FItem.LineMaximum());
        if (FEnd != 0 && (FFirst || LineBreaks <= LineMaximum - 1)) {
            FFirst = false;
            FAccepted = Candidate;
            FAcceptedPlain = Plain;
            FEnd = Position;
            FSearch = FEnd + 1;
            continue;
        }
        Accepted = FAccepted;
        if (FEnd == 0) {
            FDone = true;
        } else {
            FRest.remove(0, FEnd);
            FSearch = 1;
            FAccepted = TSubtitleText::CopyToBlank(FRest, FSearch, 1, FEnd);
            FAcceptedPlain = TSubtitleWrapper::IsPlain(FAccepted);
            FAcceptedWords.clear();
            if (FAcceptedPlain)
                TSubtitleWrapper::AddWords(FAcceptedWords, Font, FAccepted);
            FSearch = FEnd + 1;
        }
        return true;
    }
}

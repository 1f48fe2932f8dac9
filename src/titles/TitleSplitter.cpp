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
        // The candidate is the accepted text and one more word: only that word is measured.
        const QStringView Added = QStringView(Candidate).sliced(std::min(FAccepted.size(), Candidate.size()));
        const qint64 CandidateWidth = FAcceptedWidth + Font.LineWidth(Added);
        const qint32 LineBreaks = TSubtitleWrapper::FitsOnOneLine(FItem, Candidate, CandidateWidth)
                                    ? 0
                                    : FFactory.WrappedLineBreaks(&FItem, Candidate);
        const qint32 LineMaximum = std::max<qint32>(1, FItem.LineMaximum());
        if (FEnd != 0 && (FFirst || LineBreaks <= LineMaximum - 1)) {
            FFirst = false;
            FAccepted = Candidate;
            FAcceptedWidth = CandidateWidth;
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
            FAcceptedWidth = Font.LineWidth(FAccepted);
            FSearch = FEnd + 1;
        }
        return true;
    }
}

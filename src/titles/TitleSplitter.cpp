#include "TitleSplitter.h"

#include "SubtitleItemFactory.h"
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
    for (;;) {
        qint32 Position = 0;
        const QString Candidate = TSubtitleText::CopyToBlank(FRest, FSearch, 1, Position);
        const qint32 LineBreaks = FFactory.WrappedLineBreaks(&FItem, Candidate);
        const qint32 LineMaximum = std::max<qint32>(1, FItem.LineMaximum());
        if (FEnd != 0 && (FFirst || LineBreaks <= LineMaximum - 1)) {
            FFirst = false;
            FAccepted = TSubtitleText::CopyToBlank(FRest, FSearch, 1, FEnd);
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
            FSearch = FEnd + 1;
        }
        return true;
    }
}

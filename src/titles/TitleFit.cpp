#include "TitleFit.h"

#include "SubtitleMeasure.h"

#include "model/SubtitleItem.h"

TTitleFit TTitleFit::Of(const TSubtitleItem& Item, QStringView Text)
{
    return TTitleFit(TSubtitleMeasure::Block(&Item, Text).Right, Item.BoxWidth());
}

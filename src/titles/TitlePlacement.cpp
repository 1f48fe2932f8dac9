#include "TitlePlacement.h"

#include "model/SubtitleItem.h"

// 64-bit integers throughout: extreme settings must not overflow.
double TTitlePlacement::Horizontal(const TSubtitleItem& Item, const TTextRect& Block)
{
    const qint64 Width = Block.Right;
    switch (Item.BoxAlign()) {
    case taRightJustify:
        return double(qint64(Item.VideoWidth()) + Item.BoxRelativeX() - Width);
    case taCenter:
        return double(Item.VideoWidth()) / 2.0 - double(Width) / 2.0 + double(Item.BoxRelativeX());
    case taLeftJustify:
        break;
    }
    return double(Item.BoxRelativeX());
}

double TTitlePlacement::Vertical(const TSubtitleItem& Item, const TTextRect& Block)
{
    return double(qint64(Item.VideoHeight()) + Item.BoxRelativeY() - Block.Bottom);
}

#include "TitlePlacement.h"

#include "TitleValueFormat.h"
#include "XMLCCtsTitleObjectType.h"

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

void TTitlePlacement::WriteTo(TXMLCCtsTitleObjectType& Title, const TSubtitleItem& Item, const TTextRect& Block)
{
    WriteTo(Elements(Title), Item, Block);
}

void TTitlePlacement::WriteTo(std::span<const TXMLTitleNode> Elements, const TSubtitleItem& Item, const TTextRect& Block)
{
    Elements[0].SetText(TTitleValueFormat::FormatFloat(Horizontal(Item, Block)));
    Elements[1].SetText(TTitleValueFormat::FormatFloat(Vertical(Item, Block)));
}

std::vector<TXMLTitleNode> TTitlePlacement::Elements(const TXMLCCtsTitleObjectType& Title)
{
    return {Title.Child("elements4"), Title.Child("elements5")};
}

TTitlePlacement::TBox TTitlePlacement::Box(const TSubtitleItem& Item, const TTextRect& Block)
{
    const qint64 Width = Block.Right;
    TBox Result;
    switch (Item.BoxAlign()) {
    case taRightJustify:
        Result.Left = qint64(Item.VideoWidth()) + Item.BoxRelativeX() - Width;
        break;
    case taCenter:
        // C++ division truncates toward zero, as the preview's arithmetic asks.
        Result.Left = qint64(Item.VideoWidth()) / 2 + Item.BoxRelativeX() - Width / 2;
        break;
    case taLeftJustify:
        Result.Left = Item.BoxRelativeX();
        break;
    }
    Result.Right = Result.Left + Width;
    Result.Bottom = qint64(Item.VideoHeight()) + Item.BoxRelativeY();
    Result.Top = Result.Bottom - Block.Bottom;
    return Result;
}

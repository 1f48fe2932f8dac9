#include "TitleFill.h"

#include "TitleValueFormat.h"
#include "XMLTitleDocumentType.h"

#include "model/SubtitleItem.h"

TTitleFill TTitleFill::Of(const TSubtitleItem& Item, const QDateTime& Now)
{
    TTitleFill Fill;
    Fill.CreateTime = TTitleValueFormat::FormatCreateTime(Now);
    Fill.FrameSizeX = Item.VideoWidth();
    Fill.FrameSizeY = Item.VideoHeight();
    Fill.Alignment = TTitleValueFormat::EncodeAlignment(Item.BoxAlignText());
    Fill.FontName = Item.FontName();
    Fill.FontSize = Item.FontSize();
    Fill.Bold = Item.FontStyleBold() ? 1 : 0;
    Fill.Italic = Item.FontStyleItalic() ? 1 : 0;
    Fill.Underline = Item.FontStyleUnderline() ? 1 : 0;
    Fill.FillColor = TTitleValueFormat::EncodeColor(Item.FontColor());
    Fill.EdgeEnabled = Item.Edge() ? 1 : 0;
    Fill.EdgeColor = TTitleValueFormat::EncodeColor(Item.EdgeColor());
    Fill.EdgeWidth = TTitleValueFormat::FormatFloat(Item.EdgeWidthHard());
    Fill.EdgeWidthSoft = TTitleValueFormat::FormatFloat(Item.EdgeWidthSoft());
    return Fill;
}

// The order of the writes decides where a template that lacks an element gets it
// appended, so it stays as it is.
void TTitleFill::WriteTo(const TXMLTitleDocumentType& Document) const
{
    TXMLTitleDocumentType Root = Document;
    TXMLCCtsTitleObjectType Title = Root.TitleObject();
    Root.SetCreateTime(CreateTime);
    Root.SetFrameSizeX(FrameSizeX);
    Root.SetFrameSizeY(FrameSizeY);
    TXMLTitleFontType Font = Title.TitleFont();
    Font.SetIAlignment(Alignment);
    Title.SetM_sFontName(FontName);
    Font.SetISize(FontSize);
    Font.SetBBold(Bold);
    Font.SetBItalic(Italic);
    Font.SetBUnderline(Underline);
    Title.TitleFillColor().SetColor0(FillColor);
    TXMLTitleEdgeType Edge = Title.TitleEdge();
    Edge.SetBEnable(EdgeEnabled);
    Edge.SetColor0(EdgeColor);
    Edge.SetFWidth(EdgeWidth);
    Edge.SetFWidthSoft(EdgeWidthSoft);
}

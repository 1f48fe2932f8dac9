#include "TitleReader.h"

#include "SubtitleText.h"
#include "TitleDocumentFile.h"
#include "TitleValueFormat.h"

#include "model/SubtitleItem.h"

std::unique_ptr<TSubtitleItem> TTitleReader::Read(const QString& TitleFileName)
{
    auto Item = std::make_unique<TSubtitleItem>();
    const TXMLTitleDocumentType Document = LoadTitleDocument(TitleFileName);
    const TXMLCCtsTitleObjectType Title = Document.TitleObject();
    QString Text = Title.M_sText();
    Text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    Item->SetSubtitleContent(Text);
    Item->SetSubtitleLineCount(TSubtitleText::CountOccurrences(u"\r\n", Text) + 1);
    Item->SetBoxAlignText(TTitleValueFormat::DecodeAlignment(Title.TitleFont().IAlignment()));
    Item->SetEdge(Title.TitleEdge().BEnable() == 1);
    Item->SetEdgeColor(TTitleValueFormat::DecodeColor(Title.TitleEdge().Color0()));
    Item->SetEdgeWidthHard(TTitleValueFormat::ParseFloat(Title.TitleEdge().FWidth()));
    Item->SetEdgeWidthSoft(TTitleValueFormat::ParseFloat(Title.TitleEdge().FWidthSoft()));
    Item->SetFontName(Title.M_sFontName());
    Item->SetFontSize(Title.TitleFont().ISize());
    Item->SetFontColor(TTitleValueFormat::DecodeColor(Title.TitleFillColor().Color0()));
    Item->SetFontStyleBold(Title.TitleFont().BBold() == 1);
    Item->SetFontStyleItalic(Title.TitleFont().BItalic() == 1);
    Item->SetFontStyleUnderline(Title.TitleFont().BUnderline() == 1);
    Item->SetVideoWidth(Document.FrameSizeX());
    Item->SetVideoHeight(Document.FrameSizeY());
    return Item;
}

#include "TitleTemplate.h"

#include "TitleDocumentFile.h"

TTitleTemplate::TTitleTemplate(const QString& FileName)
    : FFileName(FileName)
    , FDocument(LoadTitleDocument(FileName))
{
}

TTitleTemplate::TTitleTemplate(TXMLTitleDocumentType Document)
    : FFileName(Document.OwnerDocument() ? Document.OwnerDocument()->FileName() : QString())
    , FDocument(std::move(Document))
{
}

const std::vector<TXMLTitleNode>& TTitleTemplate::Changing(TFindElements Find)
{
    if (!FChanging)
        FChanging = Find(FDocument);
    return *FChanging;
}

QByteArray TTitleTemplate::TitleBytes()
{
    if (!FCurrentFill || !FChanging)
        return TitleDocumentBytes(FDocument);
    if (!FImage)
        FImage.emplace(FDocument, *FChanging);
    return FImage->Bytes();
}

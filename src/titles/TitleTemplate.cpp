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

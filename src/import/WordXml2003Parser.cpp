#include "WordXml2003Parser.h"

#include "DocumentError.h"
#include "DocxParser.h"
#include "OfficeXml.h"

QStringList TWordXml2003Parser::Parse(const QByteArray& Content, const QString& FileName)
{
    pugi::xml_document Document;
    TOfficeXml::Load(Content, FileName, Document);
    // Notes and comments stand inside the paragraphs that refer to them, with paragraphs
    // of their own, which the paragraph's text leaves out as it does those of text boxes.
    const pugi::xml_node Body = TOfficeXml::Child(TOfficeXml::Child(Document, "wordDocument"), "body");
    if (!Body)
        throw EDocument::InvalidFormat(FileName);
    return TDocxParser::BodyParagraphs(Body, nullptr);
}

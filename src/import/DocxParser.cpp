#include "DocxParser.h"

#include "DocumentError.h"
#include "OfficeXml.h"
#include "PackageRelationships.h"
#include "ZipPackage.h"

namespace
{
// Subtrees whose text is not part of the paragraph as read: deleted and moved-away
// revisions, field codes (the field result is shown instead), the fallback copy of
// alternate content, ruby guide text above its base text, and text boxes, which belong
// to a story of their own.
bool IsSkipped(const pugi::xml_node& Node) noexcept
{
    static const char* const Skipped[] = {"del", "delText", "moveFrom", "instrText", "delInstrText", "Fallback",
        "txbxContent", "rt", "pPr", "rPr", "sectPr", "footnoteReference", "endnoteReference", "commentReference"};
    for (const char* Name : Skipped)
        if (TOfficeXml::Is(Node, Name))
            return true;
    return false;
}

QString ParagraphText(const pugi::xml_node& Paragraph)
{
    QString Text;
    pugi::xml_node Node = Paragraph.first_child();
    while (Node)
    {
        bool Descend = Node.type() == pugi::node_element && !IsSkipped(Node);
        if (Descend)
        {
            if (TOfficeXml::Is(Node, "t"))
            {
                TOfficeXml::AppendText(Node, Text);
                Descend = false;
            }
            else if (TOfficeXml::Is(Node, "tab") || TOfficeXml::Is(Node, "ptab"))
                Text += u'\t';
            else if (TOfficeXml::Is(Node, "br") || TOfficeXml::Is(Node, "cr"))
                Text += u' ';
            else if (TOfficeXml::Is(Node, "noBreakHyphen"))
                Text += u'-';
            else if (TOfficeXml::Is(Node, "p"))
                Descend = false; // a paragraph inside a paragraph lives in a text box or frame
        }
        Node = TOfficeXml::Next(Paragraph, Node, Descend);
    }
    return Text;
}

// Whether the paragraph's mark was deleted or moved away while changes were tracked: the
// paragraph then runs on into the next one, as the binary reader joins them when it
// leaves out a deleted mark.
bool MarkDeleted(const pugi::xml_node& Paragraph) noexcept
{
    const pugi::xml_node Mark = TOfficeXml::Child(TOfficeXml::Child(Paragraph, "pPr"), "rPr");
    return TOfficeXml::Child(Mark, "del") || TOfficeXml::Child(Mark, "moveFrom");
}

// A table row deleted while changes were tracked.
bool IsDeletedRow(const pugi::xml_node& Node) noexcept
{
    return TOfficeXml::Is(Node, "tr") && TOfficeXml::Child(TOfficeXml::Child(Node, "trPr"), "del");
}

QString MainPart(TZipPackage& Package)
{
    QString Part = TPackageRelationships::Target(Package, QString(), QStringLiteral("/officeDocument"));
    if (Part.isEmpty() || !Package.HasEntry(Part))
        Part = QStringLiteral("word/document.xml");
    if (!Package.HasEntry(Part))
        throw EDocument::InvalidFormat(Package.FileName());
    return Part;
}
} // namespace

QStringList TDocxParser::Parse(const QByteArray& ZipBytes, const QString& FileName)
{
    TZipPackage Package(ZipBytes, FileName);
    const QString Part = MainPart(Package);
    pugi::xml_document Document;
    TOfficeXml::Load(Package, Part, Document);

    const pugi::xml_node Body = TOfficeXml::Child(TOfficeXml::Child(Document, "document"), "body");
    if (!Body)
        throw EDocument::InvalidFormat(FileName);

    QStringList Lines;
    QString Line; // paragraphs joined by deleted marks so far
    pugi::xml_node Node = Body.first_child();
    while (Node)
    {
        bool Descend = Node.type() == pugi::node_element && !IsSkipped(Node) && !IsDeletedRow(Node);
        if (Descend && TOfficeXml::Is(Node, "p"))
        {
            Line += ParagraphText(Node);
            if (!MarkDeleted(Node))
            {
                Lines.append(Line);
                Line.clear();
            }
            Descend = false;
        }
        Node = TOfficeXml::Next(Body, Node, Descend);
    }
    // The last paragraph's mark cannot be deleted in Word; should a file say so, its
    // text still counts.
    if (!Line.isEmpty())
        Lines.append(Line);
    return Lines;
}

#include "DocxParser.h"

#include "DocumentError.h"
#include "DocumentReader.h"
#include "DocxChunk.h"
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

QStringList TDocxParser::BodyParagraphs(const pugi::xml_node& Body, std::vector<TChunkPlace>* Chunks)
{
    QStringList Lines;
    pugi::xml_node Node = Body.first_child();
    while (Node)
    {
        bool Descend = Node.type() == pugi::node_element && !IsSkipped(Node);
        if (Descend && TOfficeXml::Is(Node, "p"))
        {
            Lines.append(ParagraphText(Node));
            Descend = false;
        }
        else if (Descend && Chunks && TOfficeXml::Is(Node, "altChunk"))
            Chunks->push_back({Lines.size(), QString::fromUtf8(TOfficeXml::Attribute(Node, "id").value())});
        Node = TOfficeXml::Next(Body, Node, Descend);
    }
    return Lines;
}

QStringList TDocxParser::Parse(const QByteArray& ZipBytes, const QString& FileName)
{
    TZipPackage Package(ZipBytes, FileName);
    const QString Part = MainPart(Package);
    std::vector<TChunkPlace> Chunks;
    QStringList Lines;
    {
        // The tree goes before the imported parts are read, which may be as large.
        pugi::xml_document Document;
        TOfficeXml::Load(Package, Part, Document);
        const pugi::xml_node Body = TOfficeXml::Child(TOfficeXml::Child(Document, "document"), "body");
        if (!Body)
            throw EDocument::InvalidFormat(FileName);
        Lines = BodyParagraphs(Body, &Chunks);
    }
    if (Chunks.empty())
        return Lines;

    TDocxChunk Chunk(Package, Part);
    QStringList WithChunks;
    qsizetype Done = 0;
    for (const TChunkPlace& Place : Chunks)
    {
        WithChunks.append(Lines.mid(Done, Place.Line - Done));
        Done = Place.Line;
        WithChunks.append(Chunk.Lines(Place.RelationshipId));
        // A part imported again and again must not fill the memory before the count is
        // refused.
        if (WithChunks.size() > TDocumentReader::MaximumLines)
            throw TDocumentReader::TooManyLines(FileName);
    }
    WithChunks.append(Lines.mid(Done));
    return WithChunks;
}

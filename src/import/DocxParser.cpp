#include "DocxParser.h"

#include "DocumentError.h"
#include "DocumentReader.h"
#include "DocxChunk.h"
#include "OfficeXml.h"
#include "PackageRelationships.h"
#include "ZipPackage.h"

#include <cstring>

namespace
{
// Subtrees whose text is not part of the paragraph as read: deleted and moved-away
// revisions, field codes (the field result is shown instead), the fallback copy of
// alternate content, ruby guide text above its base text, and text boxes, which belong
// to a story of their own.
bool IsSkipped(const char* Name) noexcept
{
    static const char* const Skipped[] = {"del", "delText", "moveFrom", "instrText", "delInstrText", "Fallback",
        "txbxContent", "rt", "pPr", "rPr", "sectPr", "footnoteReference", "endnoteReference", "commentReference"};
    for (const char* Other : Skipped)
        if (std::strcmp(Name, Other) == 0)
            return true;
    return false;
}

// The local name of an element whose subtree is read, null for other nodes.
const char* ReadName(const pugi::xml_node& Node) noexcept
{
    if (Node.type() != pugi::node_element)
        return nullptr;
    const char* Name = TOfficeXml::LocalName(Node);
    return IsSkipped(Name) ? nullptr : Name;
}

bool Equal(const char* Name, const char* Other) noexcept
{
    return std::strcmp(Name, Other) == 0;
}

QString ParagraphText(const pugi::xml_node& Paragraph)
{
    QString Text;
    pugi::xml_node Node = Paragraph.first_child();
    while (Node)
    {
        const char* Name = ReadName(Node);
        bool Descend = Name != nullptr;
        if (Descend)
        {
            if (Equal(Name, "t"))
            {
                TOfficeXml::AppendText(Node, Text);
                Descend = false;
            }
            else if (Equal(Name, "tab") || Equal(Name, "ptab"))
                Text += u'\t';
            else if (Equal(Name, "br") || Equal(Name, "cr"))
                Text += u' ';
            else if (Equal(Name, "noBreakHyphen"))
                Text += u'-';
            else if (Equal(Name, "p"))
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
    // The paragraph's properties come first, if it has any.
    const pugi::xml_node Properties = Paragraph.first_child();
    if (!TOfficeXml::Is(Properties, "pPr"))
        return false;
    const pugi::xml_node Mark = TOfficeXml::Child(Properties, "rPr");
    return TOfficeXml::Child(Mark, "del") || TOfficeXml::Child(Mark, "moveFrom");
}

// Whether a table row was deleted while changes were tracked.
bool IsDeletedRow(const pugi::xml_node& Row) noexcept
{
    return TOfficeXml::Child(TOfficeXml::Child(Row, "trPr"), "del");
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
    QString Line; // paragraphs joined by deleted marks so far
    pugi::xml_node Node = Body.first_child();
    while (Node)
    {
        const char* Name = ReadName(Node);
        bool Descend = Name != nullptr;
        if (Descend && Equal(Name, "p"))
        {
            if (Line.isEmpty())
                Line = ParagraphText(Node);
            else
                Line += ParagraphText(Node);
            if (!MarkDeleted(Node))
            {
                Lines.append(std::move(Line));
                Line = QString();
            }
            Descend = false;
        }
        else if (Descend && Equal(Name, "tr") && IsDeletedRow(Node))
            Descend = false;
        else if (Descend && Chunks && Equal(Name, "altChunk"))
            Chunks->push_back({Lines.size(), QString::fromUtf8(TOfficeXml::Attribute(Node, "id").value())});
        Node = TOfficeXml::Next(Body, Node, Descend);
    }
    // The last paragraph's mark cannot be deleted in Word; should a file say so, its
    // text still counts.
    if (!Line.isEmpty())
        Lines.append(Line);
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

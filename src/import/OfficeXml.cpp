#include "OfficeXml.h"

#include "DocumentError.h"
#include "ZipPackage.h"

#include <algorithm>
#include <cstring>

namespace
{
// Parses Bytes; Where names them in messages ("文件 'a.docx' 的部件 'word/document.xml'").
void Parse(const QByteArray& Bytes, const QString& Where, pugi::xml_document& Document)
{
    // Whitespace-only text is content here: a run "<w:t> </w:t>" is one blank. The document
    // type declaration is kept as a node so that it can be refused below.
    const pugi::xml_parse_result Result =
        Document.load_buffer(Bytes.constData(), size_t(Bytes.size()),
            pugi::parse_default | pugi::parse_ws_pcdata | pugi::parse_doctype, pugi::encoding_auto);
    if (!Result)
        throw EDocument(QStringLiteral("%1不是有效的 XML（位置 %2）：%3。")
                            .arg(Where, QString::number(qint64(Result.offset)), QString::fromUtf8(Result.description())));
    // Office refuses XML with a document type declaration, and the parser would give the
    // references to the entities it declares as literal text: such a file is damaged.
    for (const pugi::xml_node& Node : Document.children())
        if (Node.type() == pugi::node_doctype)
            throw EDocument(QStringLiteral("%1含有文档类型声明（DOCTYPE），Office 文档不允许这样做，文件已损坏。").arg(Where));
}

// What the parser may take for Bytes at most: a copy of them, a node for every element
// and for the text before each markup character, an attribute for every "=".
qint64 TreeBytesAtMost(const QByteArray& Bytes)
{
    constexpr qint64 NodeBytes = 64;
    constexpr qint64 AttributeBytes = 40;
    const qint64 Markup = std::count(Bytes.cbegin(), Bytes.cend(), '<');
    const qint64 Attributes = std::count(Bytes.cbegin(), Bytes.cend(), '=');
    // UTF-16 is converted to UTF-8, which takes at most one and a half times its bytes.
    return 2 * qint64(Bytes.size()) + 2 * NodeBytes * Markup + AttributeBytes * Attributes;
}
} // namespace

void TOfficeXml::Load(TZipPackage& Package, const QString& PartName, pugi::xml_document& Document)
{
    Parse(Package.Read(PartName), QStringLiteral("文件 '%1' 的部件 '%2' ").arg(Package.FileName(), PartName), Document);
}

void TOfficeXml::Load(const QByteArray& Bytes, const QString& FileName, pugi::xml_document& Document)
{
    if (TreeBytesAtMost(Bytes) > MaximumTreeBytes)
        throw EDocument(QStringLiteral("文件 '%1' 的 XML 结构过于庞大，读取它需要超过 1 GiB 内存，拒绝读取。").arg(FileName));
    Parse(Bytes, QStringLiteral("文件 '%1' ").arg(FileName), Document);
}

const char* TOfficeXml::LocalName(const pugi::xml_node& Node) noexcept
{
    const char* Name = Node.name();
    const char* Colon = std::strrchr(Name, ':');
    return Colon ? Colon + 1 : Name;
}

bool TOfficeXml::Is(const pugi::xml_node& Node, const char* Name) noexcept
{
    return Node.type() == pugi::node_element && std::strcmp(LocalName(Node), Name) == 0;
}

pugi::xml_node TOfficeXml::Child(const pugi::xml_node& Node, const char* Name) noexcept
{
    for (pugi::xml_node C = Node.first_child(); C; C = C.next_sibling())
        if (Is(C, Name))
            return C;
    return {};
}

pugi::xml_attribute TOfficeXml::Attribute(const pugi::xml_node& Node, const char* Name) noexcept
{
    for (pugi::xml_attribute A = Node.first_attribute(); A; A = A.next_attribute())
    {
        const char* Full = A.name();
        const char* Colon = std::strrchr(Full, ':');
        // Namespace declarations ("xmlns:r") are no attributes of the element's content.
        if (std::strcmp(Colon ? Colon + 1 : Full, Name) == 0 && std::strncmp(Full, "xmlns", 5) != 0)
            return A;
    }
    return {};
}

pugi::xml_node TOfficeXml::Next(const pugi::xml_node& Root, const pugi::xml_node& Node, bool Descend) noexcept
{
    if (Descend && Node.first_child())
        return Node.first_child();
    for (pugi::xml_node N = Node; N && N != Root; N = N.parent())
        if (N.next_sibling())
            return N.next_sibling();
    return {};
}

void TOfficeXml::AppendText(const pugi::xml_node& Element, QString& Text)
{
    for (pugi::xml_node C = Element.first_child(); C; C = C.next_sibling())
        if (C.type() == pugi::node_pcdata || C.type() == pugi::node_cdata)
            Text += QString::fromUtf8(C.value());
}

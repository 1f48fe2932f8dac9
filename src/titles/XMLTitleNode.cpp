#include "XMLTitleNode.h"

#include "TitleValueFormat.h"

#include "model/ConvertError.h"

#include <cstring>
#include <string>

namespace
{
bool IsText(const pugi::xml_node& Node)
{
    return Node.type() == pugi::node_pcdata || Node.type() == pugi::node_cdata;
}

// The text of every descendant in document order. Walked without recursion: a damaged
// or hostile file can nest elements deeper than the stack holds.
void AppendTextContent(const pugi::xml_node& Node, std::string& Text)
{
    pugi::xml_node Child = Node.first_child();
    while (Child) {
        if (IsText(Child))
            Text += Child.value();
        else if (Child.type() == pugi::node_element && Child.first_child()) {
            Child = Child.first_child();
            continue;
        }
        while (Child != Node && !Child.next_sibling())
            Child = Child.parent();
        Child = Child == Node ? pugi::xml_node() : Child.next_sibling();
    }
}

class TStringWriter : public pugi::xml_writer
{
public:
    std::string Text;

    void write(const void* Data, size_t Size) override { Text.append(static_cast<const char*>(Data), Size); }
};

class TByteArrayWriter : public pugi::xml_writer
{
public:
    explicit TByteArrayWriter(QByteArray& Bytes)
        : FBytes(Bytes)
    {
    }

    void write(const void* Data, size_t Size) override { FBytes.append(static_cast<const char*>(Data), qsizetype(Size)); }

private:
    QByteArray& FBytes;
};

// Control characters other than tab, CR and LF cannot appear in XML 1.0 even as
// character references, and the host's parser rejects a file that has them.
constexpr unsigned PrintFormat = pugi::format_raw | pugi::format_skip_control_chars;

QString FileNote(const TTitleXmlDocument* Document)
{
    if (Document == nullptr || Document->FileName().isEmpty())
        return QString();
    return QStringLiteral("（文件 '%1'）").arg(Document->FileName());
}
} // namespace

TXMLTitleNode::TXMLTitleNode(std::shared_ptr<TTitleXmlDocument> Document, pugi::xml_node Node)
    : FDocument(std::move(Document))
    , FNode(Node)
{
}

QString TXMLTitleNode::NodeName() const
{
    return QString::fromUtf8(FNode.name());
}

QString TXMLTitleNode::XML() const
{
    TStringWriter Writer;
    FNode.print(Writer, "", PrintFormat, pugi::encoding_utf8);
    return QString::fromUtf8(Writer.Text.data(), qsizetype(Writer.Text.size()));
}

void TXMLTitleNode::AppendXML(QByteArray& Bytes) const
{
    TByteArrayWriter Writer(Bytes);
    FNode.print(Writer, "", PrintFormat, pugi::encoding_utf16);
}

pugi::xml_node TXMLTitleNode::ChildElement(const char* Name) const
{
    for (pugi::xml_node Child = FNode.first_child(); Child; Child = Child.next_sibling())
        if (Child.type() == pugi::node_element && std::strcmp(Child.name(), Name) == 0)
            return Child;
    pugi::xml_node Parent = FNode; // a handle: appending changes the document, not the view
    return Parent.append_child(Name);
}

QString TXMLTitleNode::ChildText(const char* Name) const
{
    const pugi::xml_node Child = ChildElement(Name);
    const pugi::xml_node First = Child.first_child();
    if (!First)
        return QString();
    if (IsText(First) && !First.next_sibling())
        return QString::fromUtf8(First.value());
    std::string Text;
    AppendTextContent(Child, Text);
    return QString::fromUtf8(Text.data(), qsizetype(Text.size()));
}

void TXMLTitleNode::SetChildText(const char* Name, const QString& Value) const
{
    Child(Name).SetText(Value);
}

void TXMLTitleNode::SetText(const QString& Value) const
{
    // The content always ends up in one canonical form (no child for an empty text,
    // one text node otherwise), whatever the element held before. That is what makes
    // refilling a loaded template give the same bytes as filling a fresh copy.
    pugi::xml_node Child = FNode; // a handle: changing it changes the document, not the view
    pugi::xml_node First = Child.first_child();
    if (Value.isEmpty()) {
        while (First) {
            Child.remove_child(First);
            First = Child.first_child();
        }
        return;
    }
    const QByteArray Utf8 = Value.toUtf8();
    if (First && First.type() == pugi::node_pcdata && !First.next_sibling()) {
        First.set_value(Utf8.constData());
        return;
    }
    while (First) {
        Child.remove_child(First);
        First = Child.first_child();
    }
    Child.append_child(pugi::node_pcdata).set_value(Utf8.constData());
}

qint32 TXMLTitleNode::ChildInteger(const char* Name) const
{
    const QString Text = ChildText(Name);
    if (Text.trimmed().isEmpty())
        throw EConvertError(QStringLiteral("元素 '%1' 没有整数值%2。").arg(QString::fromUtf8(Name), FileNote(FDocument.get())));
    qint32 Value = 0;
    if (!TTitleValueFormat::TryParseInteger(Text, Value))
        throw EConvertError(QStringLiteral("元素 '%1' 的值 '%2' 不是有效的整数%3。")
                                .arg(QString::fromUtf8(Name), Text, FileNote(FDocument.get())));
    return Value;
}

void TXMLTitleNode::SetChildInteger(const char* Name, qint32 Value) const
{
    SetChildText(Name, QString::number(Value));
}

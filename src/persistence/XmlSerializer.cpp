#include "XmlSerializer.h"

#include "XmlWriter.h"

#include "model/AsciiText.h"
#include "model/ClassInfo.h"
#include "model/ConvertError.h"
#include "model/FileMessage.h"
#include "model/FloatFormat.h"
#include "model/OSError.h"
#include "model/Persistent.h"
#include "model/RTTI.h"
#include "model/WholeFileReader.h"
#include "model/XMLDocError.h"

#include <QHash>
#include <QLocale>
#include <QSaveFile>

#include <pugixml.hpp>

#include <cmath>
#include <limits>
#include <vector>

namespace {

const QString XmlnsNamespace = QStringLiteral("http://www.w3.org/2000/xmlns/");
const QString SchemaNamespace = QStringLiteral("http://www.w3.org/2001/XMLSchema");
const QString SchemaInstanceNamespace = QStringLiteral("http://www.w3.org/2001/XMLSchema-instance");
const QString SoapEncodingNamespace = QStringLiteral("http://schemas.xmlsoap.org/soap/encoding/");

// The xsi:type of a scalar property: the type's name in the file and its namespace.
struct TXmlType
{
    QString Name;
    QString Namespace;
};

TXmlType XmlTypeOf(const TPropertyInfo& Property)
{
    if (Property.TypeName == QLatin1String("Integer"))
        return {QStringLiteral("int"), SchemaNamespace};
    if (Property.TypeName == QLatin1String("Boolean"))
        return {QStringLiteral("boolean"), SchemaNamespace};
    if (Property.TypeName == QLatin1String("Extended"))
        return {QStringLiteral("double"), SchemaNamespace};
    if (Property.Kind == TPropertyKind::Enumeration)
        return {Property.TypeName, QStringLiteral("urn:Classes")};
    return {Property.TypeName, QStringLiteral("urn:")};
}

QString ClassNamespace(const TClassInfo& Class)
{
    return QStringLiteral("urn:") + Class.UnitName();
}

// Walks the property table of one object after another into the writer.
class TObjectWriter
{
public:
    explicit TObjectWriter(TXmlWriter& Writer) : FWriter(Writer) {}

    void Write(const TPersistent& Object, const QString& ElementName)
    {
        const TClassInfo& Class = Object.ClassType();
        const QString TypePrefix = FWriter.Prefix(ClassNamespace(Class));
        FWriter.StartElement(ElementName, TypeAttribute(TypePrefix, Class.ClassName()));
        for (const TPropertyInfo& Property : Class.Properties()) {
            if (Property.Kind == TPropertyKind::ObjectList)
                WriteList(Object, Property);
            else
                WriteScalar(Object, Property);
        }
        FWriter.EndElement(ElementName);
    }

private:
    static QString TypeAttribute(const QString& Prefix, const QString& TypeName)
    {
        return QStringLiteral(" xsi:type=\"%1:%2\"").arg(Prefix, TXmlWriter::EscapeAttribute(TypeName));
    }

    void WriteScalar(const TPersistent& Object, const TPropertyInfo& Property)
    {
        // The annotation of a property never changes, and the first one asked for also
        // fixes its prefix, so it is built once per property.
        QString& Attributes = FTypeAttributes[&Property];
        if (Attributes.isEmpty()) {
            const TXmlType Type = XmlTypeOf(Property);
            Attributes = TypeAttribute(FWriter.Prefix(Type.Namespace), Type.Name);
        }
        FWriter.Element(Property.Name, Attributes, ValueText(Object, Property));
    }

    static QString ValueText(const TPersistent& Object, const TPropertyInfo& Property)
    {
        const TPropertyValue Value = Property.Read(Object);
        switch (Property.Kind) {
        case TPropertyKind::Integer:
            return QString::number(std::get<qint32>(Value));
        case TPropertyKind::Enumeration:
            if (Property.TypeName == QLatin1String("Boolean"))
                return std::get<qint32>(Value) != 0 ? QStringLiteral("true") : QStringLiteral("false");
            return Property.ReadText(Object);
        case TPropertyKind::Float:
            return TFloatFormat::General(std::get<double>(Value), QLatin1Char('.'));
        case TPropertyKind::Text:
            return std::get<QString>(Value);
        case TPropertyKind::ObjectList:
            break;
        }
        return {};
    }

    void WriteList(const TPersistent& Object, const TPropertyInfo& Property)
    {
        const TObjectListAccess& List = *Property.List;
        const TClassInfo& ElementClass = List.ElementClass();
        const QString ArrayPrefix = FWriter.Prefix(SoapEncodingNamespace);
        const qsizetype Count = List.Count(Object);
        const QString ElementPrefix = FWriter.Prefix(ClassNamespace(ElementClass));
        const QString Attributes = TypeAttribute(ArrayPrefix, QStringLiteral("Array"))
                                 + QStringLiteral(" %1:arrayType=\"%2:%3[%4]\"")
                                       .arg(ArrayPrefix, ElementPrefix, TXmlWriter::EscapeAttribute(ElementClass.ClassName()))
                                       .arg(Count);
        if (Count == 0) {
            FWriter.Element(Property.Name, Attributes, QString());
            return;
        }
        FWriter.StartElement(Property.Name, Attributes);
        for (qsizetype Index = 0; Index < Count; ++Index)
            Write(List.Item(Object, Index), QStringLiteral("item"));
        FWriter.EndElement(Property.Name);
    }

    TXmlWriter& FWriter;
    QHash<const TPropertyInfo*, QString> FTypeAttributes;
};

QStringView LocalName(const char* QualifiedName, QString& Storage)
{
    Storage = QString::fromUtf8(QualifiedName);
    const qsizetype Colon = Storage.indexOf(QLatin1Char(':'));
    return QStringView(Storage).mid(Colon + 1);
}

bool ParseBoolean(const QString& Text)
{
    if (TAsciiText::SameText(Text, u"true") || Text == QLatin1String("1"))
        return true;
    if (TAsciiText::SameText(Text, u"false") || Text == QLatin1String("0"))
        return false;
    throw EConvertError(QStringLiteral("'%1' 不是有效的布尔值（应为 true、false、1 或 0）。").arg(Text));
}

double ParseFloat(const QString& Text)
{
    if (TAsciiText::SameText(Text, u"NaN"))
        return std::numeric_limits<double>::quiet_NaN();
    if (TAsciiText::SameText(Text, u"INF"))
        return std::numeric_limits<double>::infinity();
    if (TAsciiText::SameText(Text, u"-INF"))
        return -std::numeric_limits<double>::infinity();
    bool Ok = false;
    const double Value = QLocale::c().toDouble(Text.trimmed(), &Ok);
    if (!Ok)
        throw EConvertError(QStringLiteral("'%1' is not a valid floating point value").arg(Text));
    return Value;
}

// Reads one object element into an object, property by property in table order.
void ReadObject(const pugi::xml_node& Element, TPersistent& Object)
{
    std::vector<pugi::xml_node> Children;
    for (pugi::xml_node Child = Element.first_child(); Child; Child = Child.next_sibling())
        if (Child.type() == pugi::node_element)
            Children.push_back(Child);
    std::vector<bool> Used(Children.size(), false);

    QString Storage;
    for (const TPropertyInfo& Property : Object.ClassType().Properties()) {
        // The first element not yet used whose local name is the property's name.
        std::size_t Found = Children.size();
        for (std::size_t Index = 0; Index < Children.size(); ++Index) {
            if (!Used[Index] && LocalName(Children[Index].name(), Storage) == Property.Name) {
                Found = Index;
                break;
            }
        }
        if (Found == Children.size())
            continue;
        Used[Found] = true;
        const pugi::xml_node& Source = Children[Found];

        if (Property.Kind == TPropertyKind::ObjectList) {
            const TClassInfo& ElementClass = Property.List->ElementClass();
            std::vector<std::unique_ptr<TPersistent>> Items;
            for (pugi::xml_node Item = Source.first_child(); Item; Item = Item.next_sibling()) {
                if (Item.type() != pugi::node_element)
                    continue;
                Items.push_back(ElementClass.CreateInstance());
                ReadObject(Item, *Items.back());
            }
            Property.List->Replace(Object, std::move(Items));
            continue;
        }

        const QString Text = QString::fromUtf8(Source.child_value());
        switch (Property.Kind) {
        case TPropertyKind::Integer:
            Property.Write(Object, TRTTI::ParseInteger(Text));
            break;
        case TPropertyKind::Enumeration:
            if (Property.TypeName == QLatin1String("Boolean"))
                Property.Write(Object, qint32(ParseBoolean(Text) ? 1 : 0));
            else
                Property.Write(Object, TRTTI::ParseEnumeration(Property, Text));
            break;
        case TPropertyKind::Float:
            Property.Write(Object, ParseFloat(Text));
            break;
        case TPropertyKind::Text:
            Property.Write(Object, Text);
            break;
        case TPropertyKind::ObjectList:
            break;
        }
    }
}

// A project file larger than the bound is no project of ours, and parsing it would
// only exhaust the memory.
class TProjectFileReader final : public TWholeFileReader
{
public:
    TProjectFileReader()
        : TWholeFileReader(TXmlSerializer::MaximumFileSize)
    {
    }

protected:
    [[noreturn]] void TooLarge(const QString& FileName) const override
    {
        throw EOSError(QStringLiteral("文件 '%1' 过大（超过 %2 MB），不是有效的项目文件。")
                           .arg(FileName)
                           .arg(MaximumSize() / (1024 * 1024)));
    }
};

std::unique_ptr<TPersistent> ReadDocument(const TClassInfo& Class, const QByteArray& Content, pugi::xml_encoding Encoding)
{
    pugi::xml_document Document;
    const pugi::xml_parse_result Parsed =
        Document.load_buffer(Content.constData(), std::size_t(Content.size()), pugi::parse_default, Encoding);
    if (!Parsed)
        throw EXMLDocError(QStringLiteral("XML 格式错误（位置 %1）：%2。").arg(Parsed.offset).arg(QString::fromUtf8(Parsed.description())));

    const pugi::xml_node Root = Document.document_element();
    pugi::xml_node ObjectElement;
    if (Root)
        for (ObjectElement = Root.first_child(); ObjectElement && ObjectElement.type() != pugi::node_element;
             ObjectElement = ObjectElement.next_sibling()) {
        }
    if (!ObjectElement)
        throw EXMLDocError(QStringLiteral("Invalid XML format."));

    std::unique_ptr<TPersistent> Object = Class.CreateInstance();
    ReadObject(ObjectElement, *Object);
    return Object;
}

} // namespace

void TXmlSerializer::Serialize(const TPersistent& Obj, const QString& FileName, QString& XmlText) const
{
    XmlText.clear();
    TXmlWriter Writer;
    const QString Namespace = NodeNamespace.isEmpty() ? XmlnsNamespace : NodeNamespace;
    const QString ElementName = Writer.Prefix(Namespace) + QLatin1Char(':') + (NodeName.isEmpty() ? Obj.ClassName() : NodeName);
    TObjectWriter(Writer).Write(Obj, ElementName);
    XmlText = Writer.Document(StandAlone.isEmpty() ? QStringLiteral("yes") : StandAlone,
                              RootName.isEmpty() ? QStringLiteral("Root") : RootName,
                              QStringLiteral(" xmlns:xsi=\"%1\"").arg(SchemaInstanceNamespace));
    if (FileName.isEmpty())
        return;

    // The complete file replaces the old one by rename, so a failed or interrupted save
    // never leaves a destroyed project behind.
    QSaveFile File(FileName);
    const QByteArray Bytes = XmlText.toUtf8();
    if (!File.open(QIODevice::WriteOnly) || File.write(Bytes) != Bytes.size() || !File.commit())
        throw EOSError(TFileMessage::CannotWrite(FileName, File.errorString()));
}

std::unique_ptr<TPersistent> TXmlSerializer::Deserialize(const TClassInfo& Class, const QString& Source, bool IsFile) const
{
    if (IsFile)
        return LoadFromContent(Class, TProjectFileReader().Read(Source));
    return ReadDocument(Class, Source.toUtf8(), pugi::encoding_utf8);
}

std::unique_ptr<TPersistent> TXmlSerializer::LoadFromContent(const TClassInfo& Class, const QByteArray& Content) const
{
    return ReadDocument(Class, Content, pugi::encoding_auto);
}

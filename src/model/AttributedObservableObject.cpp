#include "AttributedObservableObject.h"

#include "ApplicationDirectory.h"
#include "AsciiText.h"
#include "Error.h"
#include "RTTI.h"
#include "WholeFileReader.h"

#include <QDir>
#include <QMutex>
#include <QMutexLocker>
#include <QStringList>

#include <pugixml.hpp>

#include <algorithm>

namespace {

QMutex AttributeFileNameLock;
QString AttributeFileNameOverride;

QString AttributeText(const pugi::xml_node& Node, const char* Name)
{
    return QString::fromUtf8(Node.attribute(Name).value());
}

pugi::xml_node FindTypeElement(const pugi::xml_node& Root, const QString& TypeName)
{
    const QString Wanted = TAsciiText::UpperCase(TypeName);
    for (pugi::xml_node Child = Root.first_child(); Child; Child = Child.next_sibling())
        if (Child.type() == pugi::node_element && TAsciiText::UpperCase(AttributeText(Child, "Name")) == Wanted)
            return Child;
    return {};
}

QString CannotReadAttributes(const QString& FileName, const QString& Reason)
{
    return QStringLiteral("无法读取属性文件 '%1'：%2。").arg(QDir::toNativeSeparators(FileName), Reason);
}

// The attribute file describes a few dozen properties; one far larger is not ours.
class TAttributeFileReader final : public TWholeFileReader
{
public:
    TAttributeFileReader()
        : TWholeFileReader(qint64(16) << 20)
    {
    }

protected:
    [[noreturn]] void CannotOpen(const QString& FileName, const QString& Reason) const override
    {
        throw EError(CannotReadAttributes(FileName, Reason));
    }
    [[noreturn]] void CannotRead(const QString& FileName, const QString& Reason) const override
    {
        throw EError(CannotReadAttributes(FileName, Reason));
    }
    [[noreturn]] void TooLarge(const QString& FileName) const override
    {
        throw EError(CannotReadAttributes(FileName, QStringLiteral("文件超过 %1 MB").arg(MaximumSize() >> 20)));
    }
};

} // namespace

void TAttributedObservableObject::SetAttributeFileName(const QString& FileName)
{
    QMutexLocker Lock(&AttributeFileNameLock);
    AttributeFileNameOverride = FileName;
}

QString TAttributedObservableObject::AttributeFileName()
{
    QMutexLocker Lock(&AttributeFileNameLock);
    if (!AttributeFileNameOverride.isEmpty())
        return AttributeFileNameOverride;
    return AttributeFilePath();
}

void TAttributedObservableObject::LoadAttributes(bool Reload)
{
    if (!Reload && !FAttributes.empty())
        return;
    FAttributes.clear();

    const QString FileName = AttributeFileName();
    const QByteArray Content = TAttributeFileReader().Read(FileName);
    pugi::xml_document Document;
    const pugi::xml_parse_result Parsed = Document.load_buffer(Content.constData(), size_t(Content.size()));
    if (!Parsed)
        throw EError(CannotReadAttributes(FileName, QString::fromUtf8(Parsed.description())));
    const pugi::xml_node Root = Document.document_element();
    if (!Root)
        return;
    if (!FindTypeElement(Root, ClassName()))
        return;

    // The chain runs from the class to its farthest ancestor; a name met twice ends it,
    // so a file whose ancestors loop back cannot make the loader spin.
    QStringList Chain{ClassName()};
    pugi::xml_node Current = FindTypeElement(Root, ClassName());
    for (;;) {
        const pugi::xml_attribute Ancestor = Current.attribute("Ancestor");
        if (!Ancestor)
            break;
        const QString AncestorName = QString::fromUtf8(Ancestor.value());
        if (AncestorName.isEmpty())
            break;
        const pugi::xml_node Next = FindTypeElement(Root, AncestorName);
        if (!Next)
            break;
        const bool AlreadyVisited = std::any_of(Chain.cbegin(), Chain.cend(), [&](const QString& Name) {
            return TAsciiText::SameText(Name, AncestorName);
        });
        if (AlreadyVisited)
            break;
        Chain.append(AncestorName);
        Current = Next;
    }

    for (qsizetype Level = Chain.size() - 1; Level >= 0; --Level) {
        const pugi::xml_node Type = FindTypeElement(Root, Chain[Level]);
        for (pugi::xml_node Entry = Type.first_child(); Entry; Entry = Entry.next_sibling()) {
            if (Entry.type() != pugi::node_element)
                continue;
            const QString PropertyName = AttributeText(Entry, "Name").trimmed();
            if (PropertyName.isEmpty())
                continue;
            std::unique_ptr<TPropertyAttribute>& Attribute = FAttributes[PropertyName];
            if (!Attribute)
                Attribute = std::make_unique<TPropertyAttribute>();
            if (const pugi::xml_attribute Index = Entry.attribute("Index"))
                Attribute->Index = TRTTI::ParseInteger(QString::fromUtf8(Index.value()));
            if (const pugi::xml_attribute Description = Entry.attribute("Description"))
                Attribute->Description = QString::fromUtf8(Description.value());
            if (const pugi::xml_attribute Default = Entry.attribute("DefaultValue")) {
                Attribute->DefaultValue = QString::fromUtf8(Default.value());
                if (Reload)
                    TRTTI::SetPropertyValue(this, PropertyName, Attribute->DefaultValue);
            }
        }
    }
}

const TPropertyAttribute* TAttributedObservableObject::GetPropertyAttribute(const QString& PropertyName)
{
    LoadAttributes(false);
    const auto Found = FAttributes.find(PropertyName);
    return Found == FAttributes.end() ? nullptr : Found->second.get();
}

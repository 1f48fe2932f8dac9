#include "PackageContentTypes.h"

#include "OfficeXml.h"
#include "PackageRelationships.h"
#include "ZipPackage.h"

TPackageContentTypes::TPackageContentTypes(TZipPackage& Package)
{
    const QString Part = QStringLiteral("[Content_Types].xml");
    if (!Package.HasEntry(Part))
        return;
    pugi::xml_document Document;
    TOfficeXml::Load(Package, Part, Document);
    for (pugi::xml_node Node = TOfficeXml::Child(Document, "Types").first_child(); Node; Node = Node.next_sibling())
    {
        const QString Type = QString::fromUtf8(TOfficeXml::Attribute(Node, "ContentType").value()).trimmed();
        if (TOfficeXml::Is(Node, "Default"))
            FDefaults.insert(QString::fromUtf8(TOfficeXml::Attribute(Node, "Extension").value()).toLower(), Type);
        else if (TOfficeXml::Is(Node, "Override"))
            FOverrides.insert(
                TPackageRelationships::Resolve(QString(), QString::fromUtf8(TOfficeXml::Attribute(Node, "PartName").value()))
                    .toLower(),
                Type);
    }
}

QString TPackageContentTypes::Of(const QString& PartName) const
{
    const QString Name = PartName.toLower();
    if (const auto Override = FOverrides.constFind(Name); Override != FOverrides.cend())
        return *Override;
    const qsizetype Dot = Name.lastIndexOf(u'.');
    if (Dot < 0 || Dot < Name.lastIndexOf(u'/'))
        return QString();
    return FDefaults.value(Name.mid(Dot + 1));
}

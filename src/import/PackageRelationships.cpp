#include "PackageRelationships.h"

#include "OfficeXml.h"
#include "ZipPackage.h"

#include <QStringList>

namespace
{
template <typename TPredicate>
QString FindTarget(TZipPackage& Package, const QString& SourcePart, TPredicate Matches)
{
    const QString RelsPart = TPackageRelationships::RelationshipsPart(SourcePart);
    if (!Package.HasEntry(RelsPart))
        return {};
    pugi::xml_document Document;
    TOfficeXml::Load(Package, RelsPart, Document);
    const pugi::xml_node Root = TOfficeXml::Child(Document, "Relationships");
    for (pugi::xml_node R = Root.first_child(); R; R = R.next_sibling())
    {
        if (!TOfficeXml::Is(R, "Relationship") || !Matches(R))
            continue;
        // External targets (hyperlinks, linked files) are no parts of this package.
        if (QString::fromUtf8(TOfficeXml::Attribute(R, "TargetMode").value()).compare(u"External", Qt::CaseInsensitive) == 0)
            continue;
        return TPackageRelationships::Resolve(SourcePart, QString::fromUtf8(TOfficeXml::Attribute(R, "Target").value()));
    }
    return {};
}
} // namespace

QString TPackageRelationships::Target(TZipPackage& Package, const QString& SourcePart, const QString& TypeSuffix)
{
    return FindTarget(Package, SourcePart, [&TypeSuffix](const pugi::xml_node& R) {
        return QString::fromUtf8(TOfficeXml::Attribute(R, "Type").value()).endsWith(TypeSuffix);
    });
}

QString TPackageRelationships::TargetById(TZipPackage& Package, const QString& SourcePart, const QString& Id)
{
    return FindTarget(Package, SourcePart, [&Id](const pugi::xml_node& R) {
        return QString::fromUtf8(TOfficeXml::Attribute(R, "Id").value()) == Id;
    });
}

QString TPackageRelationships::Resolve(const QString& SourcePart, const QString& Target)
{
    QString Path = Target;
    if (!Path.startsWith(u'/'))
    {
        const qsizetype Slash = SourcePart.lastIndexOf(u'/');
        Path = (Slash >= 0 ? SourcePart.left(Slash + 1) : QString()) + Path;
    }
    QStringList Segments;
    for (const QString& Segment : Path.split(u'/', Qt::SkipEmptyParts))
    {
        if (Segment == u".")
            continue;
        if (Segment == u"..")
        {
            if (!Segments.isEmpty())
                Segments.removeLast();
            continue;
        }
        Segments.append(Segment);
    }
    return Segments.join(u'/');
}

QString TPackageRelationships::RelationshipsPart(const QString& SourcePart)
{
    const qsizetype Slash = SourcePart.lastIndexOf(u'/');
    return SourcePart.left(Slash + 1) + QStringLiteral("_rels/") + SourcePart.mid(Slash + 1) + QStringLiteral(".rels");
}

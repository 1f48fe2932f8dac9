#include "PackageRelationships.h"

#include "OfficeXml.h"
#include "ZipPackage.h"

#include <QStringList>

namespace
{
// Calls Visit for each relationship from SourcePart to a part of the package, until it
// returns true.
template <typename TVisit>
void ForEachRelationship(TZipPackage& Package, const QString& SourcePart, TVisit Visit)
{
    const QString RelsPart = TPackageRelationships::RelationshipsPart(SourcePart);
    if (!Package.HasEntry(RelsPart))
        return;
    pugi::xml_document Document;
    TOfficeXml::Load(Package, RelsPart, Document);
    const pugi::xml_node Root = TOfficeXml::Child(Document, "Relationships");
    for (pugi::xml_node R = Root.first_child(); R; R = R.next_sibling())
    {
        if (!TOfficeXml::Is(R, "Relationship"))
            continue;
        // External targets (hyperlinks, linked files) are no parts of this package.
        if (QString::fromUtf8(TOfficeXml::Attribute(R, "TargetMode").value()).compare(u"External", Qt::CaseInsensitive) == 0)
            continue;
        if (Visit(R))
            return;
    }
}

QString TargetOf(const QString& SourcePart, const pugi::xml_node& Relationship)
{
    return TPackageRelationships::Resolve(SourcePart, QString::fromUtf8(TOfficeXml::Attribute(Relationship, "Target").value()));
}

template <typename TPredicate>
QString FindTarget(TZipPackage& Package, const QString& SourcePart, TPredicate Matches)
{
    QString Found;
    ForEachRelationship(Package, SourcePart, [&](const pugi::xml_node& R) {
        if (!Matches(R))
            return false;
        Found = TargetOf(SourcePart, R);
        return true;
    });
    return Found;
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

QHash<QString, QString> TPackageRelationships::TargetsById(TZipPackage& Package, const QString& SourcePart)
{
    QHash<QString, QString> Targets;
    ForEachRelationship(Package, SourcePart, [&](const pugi::xml_node& R) {
        // The first of two relationships with one id wins, as in TargetById.
        const QString Id = QString::fromUtf8(TOfficeXml::Attribute(R, "Id").value());
        if (!Targets.contains(Id))
            Targets.insert(Id, TargetOf(SourcePart, R));
        return false;
    });
    return Targets;
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

#pragma once

#include <QHash>
#include <QString>

class TZipPackage;

// Follows the relationships of an Office Open XML package from one part to another.
class TPackageRelationships
{
public:
    // The part that a relationship of the given type (matched by the end of its type URI,
    // e.g. "/officeDocument", so transitional and strict packages both work) leads to from
    // SourcePart ("" for the package itself); empty when there is none.
    static QString Target(TZipPackage& Package, const QString& SourcePart, const QString& TypeSuffix);
    // Same, but for the relationship with the given id.
    static QString TargetById(TZipPackage& Package, const QString& SourcePart, const QString& Id);
    // The parts that the relationships from SourcePart lead to, by id, read at once.
    static QHash<QString, QString> TargetsById(TZipPackage& Package, const QString& SourcePart);

    // A relationship target as a part name: relative to SourcePart's folder unless it
    // begins with "/", with "." and ".." resolved and no leading "/".
    static QString Resolve(const QString& SourcePart, const QString& Target);

    static QString RelationshipsPart(const QString& SourcePart);
};

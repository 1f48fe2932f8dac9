#pragma once

#include <QHash>
#include <QString>

class TZipPackage;

// The content types of the parts of an Office Open XML package ([Content_Types].xml): a
// part's own override, else the default for its extension.
class TPackageContentTypes
{
public:
    explicit TPackageContentTypes(TZipPackage& Package);

    // The content type as the package gives it ("text/html; charset=utf-8"); empty when it
    // names none.
    QString Of(const QString& PartName) const;

private:
    // Keyed in lower case: part names and extensions compare without regard to case.
    QHash<QString, QString> FDefaults;
    QHash<QString, QString> FOverrides;
};

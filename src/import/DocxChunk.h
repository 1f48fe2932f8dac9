#pragma once

#include "PackageContentTypes.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

class TZipPackage;

// The parts that a Word document's body imports in place (w:altChunk), each read into
// paragraphs by its content type. A part imported more than once is read once.
class TDocxChunk
{
public:
    TDocxChunk(TZipPackage& Package, const QString& SourcePart);

    // The paragraphs of the part that the relationship with this id leads to. A missing
    // part, or one of a kind that cannot be read, fails with EDocument naming the file:
    // leaving it out would lose the author's text without a word.
    QStringList Lines(const QString& RelationshipId);

    // The paragraphs of an imported part's bytes of the given content type.
    static QStringList Paragraphs(const QByteArray& Bytes, const QString& ContentType, const QString& FileName,
        const QString& PartName);

private:
    TZipPackage& FPackage;
    QHash<QString, QString> FTargets; // part by relationship id
    TPackageContentTypes FTypes;
    QHash<QString, QStringList> FRead; // paragraphs by part
};

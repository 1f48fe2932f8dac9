#include "DocxChunk.h"

#include "DocumentError.h"
#include "DocumentReader.h"
#include "HtmlParser.h"
#include "MhtParser.h"
#include "PackageRelationships.h"
#include "RtfParser.h"
#include "TextFileDecoder.h"
#include "ZipPackage.h"

namespace
{
// The charset parameter of a content type ("text/html; charset=utf-8"), unquoted; empty
// when it names none.
QByteArray Charset(const QString& ContentType)
{
    for (const QString& Parameter : ContentType.split(u';').mid(1))
    {
        if (Parameter.section(u'=', 0, 0).trimmed().compare(u"charset", Qt::CaseInsensitive) != 0)
            continue;
        QString Value = Parameter.section(u'=', 1).trimmed();
        if (Value.size() >= 2 && Value.front() == u'"' && Value.back() == u'"')
            Value = Value.sliced(1, Value.size() - 2);
        return Value.toLatin1();
    }
    return QByteArray();
}
} // namespace

TDocxChunk::TDocxChunk(TZipPackage& Package, const QString& SourcePart)
    : FPackage(Package)
    , FTargets(TPackageRelationships::TargetsById(Package, SourcePart))
    , FTypes(Package)
{
}

QStringList TDocxChunk::Lines(const QString& RelationshipId)
{
    const QString Part = FTargets.value(RelationshipId);
    if (const auto Read = FRead.constFind(Part); Read != FRead.cend())
        return *Read;
    if (Part.isEmpty() || !FPackage.HasEntry(Part))
        throw EDocument(QStringLiteral("文件 '%1' 导入的部件 '%2' 不存在，文件已损坏。")
                            .arg(FPackage.FileName(), Part.isEmpty() ? RelationshipId : Part));
    QStringList Lines = Paragraphs(FPackage.Read(Part), FTypes.Of(Part), FPackage.FileName(), Part);
    FRead.insert(Part, Lines);
    return Lines;
}

QStringList TDocxChunk::Paragraphs(
    const QByteArray& Bytes, const QString& ContentType, const QString& FileName, const QString& PartName)
{
    const QString MediaType = ContentType.section(u';', 0, 0).trimmed().toLower();
    if (MediaType == u"text/rtf" || MediaType == u"application/rtf")
        return TRtfParser::Parse(Bytes, FileName);
    if (MediaType == u"text/plain")
    {
        std::optional<QStringList> Lines = TTextFileDecoder().DecodeLines(Bytes, FileName, TDocumentReader::MaximumLines);
        if (!Lines)
            throw TDocumentReader::TooManyLines(FileName);
        return *std::move(Lines);
    }
    if (MediaType == u"text/html" || MediaType == u"application/xhtml+xml")
        return THtmlParser::Parse(Bytes, FileName, QByteArray(), Charset(ContentType));
    if (MediaType == u"message/rfc822" || MediaType == u"multipart/related")
        return TMhtParser::Parse(Bytes, FileName);
    throw EDocument(QStringLiteral("文件 '%1' 导入的部件 '%2' 的内容类型 '%3' 不受支持，无法读取。")
                        .arg(FileName, PartName, ContentType.isEmpty() ? QStringLiteral("未知") : ContentType));
}

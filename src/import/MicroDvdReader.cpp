#include "MicroDvdReader.h"

TMicroDvdReader::TMicroDvdReader(const QByteArray& LegacyCodec)
    : FDecoder(LegacyCodec)
{
}

QString TMicroDvdReader::Transform(const QString& Line) const
{
    const qsizetype First = Line.indexOf(u'}');
    if (First < 0)
        return Line;
    const qsizetype Second = Line.indexOf(u'}', First + 1);
    if (Second < 0)
        return Line;
    return Line.mid(Second + 1);
}

QStringList TMicroDvdReader::Parse(const QByteArray& Content, const QString& FileName, const QString&)
{
    // "|" never touches a line break, so replacing it line by line gives the same lines
    // as replacing it in the joined text and splitting again.
    std::optional<QStringList> Lines = FDecoder.DecodeLines(Content, FileName, MaximumLines);
    if (!Lines)
        throw TooManyLines(FileName);
    for (QString& Line : *Lines)
        Line.replace(u'|', u' ');
    return *std::move(Lines);
}

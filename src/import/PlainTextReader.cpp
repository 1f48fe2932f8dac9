#include "PlainTextReader.h"

TPlainTextReader::TPlainTextReader(const QByteArray& LegacyCodec)
    : FDecoder(LegacyCodec)
{
}

QStringList TPlainTextReader::Parse(const QByteArray& Content, const QString& FileName, const QString&)
{
    std::optional<QStringList> Lines = FDecoder.DecodeLines(Content, FileName, MaximumLines);
    if (!Lines)
        throw TooManyLines(FileName);
    return *std::move(Lines);
}

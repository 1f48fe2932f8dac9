#include "PlainTextReader.h"

TPlainTextReader::TPlainTextReader(const QByteArray& LegacyCodec)
    : FDecoder(LegacyCodec)
{
}

QStringList TPlainTextReader::Parse(const QByteArray& Content, const QString& FileName, const QString&)
{
    return FDecoder.DecodeLines(Content, FileName);
}

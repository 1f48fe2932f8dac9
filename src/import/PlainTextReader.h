#pragma once

#include "DocumentReader.h"
#include "TextFileDecoder.h"

// A plain text file: one line per line of text, kept unchanged.
class TPlainTextReader : public TDocumentReader
{
public:
    explicit TPlainTextReader(const QByteArray& LegacyCodec = QByteArray());

protected:
    QStringList Parse(const QByteArray& Content, const QString& FileName, const QString& Password) override;

private:
    TTextFileDecoder FDecoder;
};

#pragma once

#include "DocumentReader.h"
#include "TextFileDecoder.h"

// A MicroDVD subtitle file, lines of the form {start}{end}text with "|" between the rows
// of one subtitle. The rows become one line of words, and the two frame groups are cut
// off when the line is kept; the notification still sees them.
class TMicroDvdReader : public TDocumentReader
{
public:
    explicit TMicroDvdReader(const QByteArray& LegacyCodec = QByteArray());

    // Drops everything up to and including the second "}"; a line with fewer keeps all.
    QString Transform(const QString& Line) const override;

protected:
    QStringList Parse(const QByteArray& Content, const QString& FileName, const QString& Password) override;

private:
    TTextFileDecoder FDecoder;
};

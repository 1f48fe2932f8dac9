#include "WordBinaryParser.h"

#include "CompoundFile.h"
#include "WordStreamParser.h"

QStringList TWordBinaryParser::Parse(const TCompoundFile& File, const QString& Password, const QString& FileName)
{
    QByteArray WordDocument = File.ReadStream(QStringLiteral("WordDocument"));
    QByteArray Table = File.ReadStream(TWordStreamParser::TableStreamName(WordDocument, FileName));
    return TWordStreamParser::Parse(std::move(WordDocument), std::move(Table), Password, FileName);
}

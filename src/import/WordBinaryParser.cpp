#include "WordBinaryParser.h"

#include "CompoundFile.h"
#include "WordStreamParser.h"

QStringList TWordBinaryParser::Parse(const TCompoundFile& File, const QString& Password, const QString& FileName)
{
    QByteArray WordDocument = File.ReadStream(QStringLiteral("WordDocument"));
    const QString TableName = TWordStreamParser::TableStreamName(WordDocument, FileName);
    QByteArray Table = TableName.isEmpty() ? QByteArray() : File.ReadStream(TableName);
    return TWordStreamParser::Parse(std::move(WordDocument), std::move(Table), Password, FileName);
}

#include "DocumentReader.h"

#include "DocumentError.h"

#include "model/WholeFileReader.h"

#include <new>

namespace
{
EDocument OutOfMemory(const QString& FileName)
{
    return EDocument(QStringLiteral("内存不足，无法读取文件 '%1'。").arg(FileName));
}

class TSourceFileReader final : public TWholeFileReader
{
public:
    TSourceFileReader()
        : TWholeFileReader(TDocumentReader::MaximumFileSize)
    {
    }

protected:
    [[noreturn]] void TooLarge(const QString& FileName) const override
    {
        throw EDocument(QStringLiteral("文件 '%1' 大于 1 GiB，不能作为字幕来源读取。").arg(FileName));
    }
};
} // namespace

TDocumentReader::~TDocumentReader() = default;

QStringList TDocumentReader::Read(const QString& FileName, const QString& Password)
{
    QByteArray Content;
    try
    {
        Content = TSourceFileReader().Read(FileName);
    }
    catch (const std::bad_alloc&)
    {
        throw OutOfMemory(FileName);
    }
    return Read(Content, FileName, Password);
}

QStringList TDocumentReader::Read(const QByteArray& Content, const QString& FileName, const QString& Password)
{
    QStringList Lines;
    try
    {
        Lines = Parse(Content, FileName, Password);
    }
    catch (const std::bad_alloc&)
    {
        throw OutOfMemory(FileName);
    }
    if (Lines.size() > MaximumLines)
        throw TooManyLines(FileName);
    return Lines;
}

EDocument TDocumentReader::TooManyLines(const QString& FileName)
{
    return EDocument(QStringLiteral("文件 '%1' 超过 %2 行，不能作为字幕来源读取。").arg(FileName, QString::number(MaximumLines)));
}

QString TDocumentReader::Transform(const QString& Line) const
{
    return Line;
}

#include "DocumentReader.h"

#include "DocumentError.h"

#include "model/OSError.h"

#include <QFile>

#include <new>

namespace
{
EDocument OutOfMemory(const QString& FileName)
{
    return EDocument(QStringLiteral("内存不足，无法读取文件 '%1'。").arg(FileName));
}

QByteArray ReadWholeFile(const QString& FileName)
{
    QFile File(FileName);
    if (!File.open(QIODevice::ReadOnly))
        throw EOSError(QStringLiteral("无法打开文件 '%1'：%2。").arg(FileName, File.errorString()));

    const auto TooLarge = [&FileName] {
        return EDocument(QStringLiteral("文件 '%1' 大于 1 GiB，不能作为字幕来源读取。").arg(FileName));
    };
    if (File.size() > TDocumentReader::MaximumFileSize)
        throw TooLarge();

    // Read in pieces rather than by size: devices and pipes report no size, and a file
    // may grow while it is read.
    QByteArray Content;
    if (File.size() > 0)
        Content.reserve(File.size());
    constexpr qint64 ChunkSize = 1 << 20;
    for (;;)
    {
        const qsizetype Old = Content.size();
        Content.resize(Old + ChunkSize);
        const qint64 Got = File.read(Content.data() + Old, ChunkSize);
        if (Got < 0)
            throw EOSError(QStringLiteral("无法读取文件 '%1'：%2。").arg(FileName, File.errorString()));
        Content.resize(Old + Got);
        if (Got == 0)
            break;
        if (Content.size() > TDocumentReader::MaximumFileSize)
            throw TooLarge();
    }
    return Content;
}
} // namespace

TDocumentReader::~TDocumentReader() = default;

QStringList TDocumentReader::Read(const QString& FileName, const QString& Password)
{
    QByteArray Content;
    try
    {
        Content = ReadWholeFile(FileName);
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

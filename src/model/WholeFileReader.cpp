#include "WholeFileReader.h"

#include "FileMessage.h"
#include "OSError.h"

#include <QFile>

#include <algorithm>

TWholeFileReader::TWholeFileReader(qint64 MaximumSize)
    : FMaximumSize(MaximumSize)
{
}

TWholeFileReader::~TWholeFileReader() = default;

QByteArray TWholeFileReader::Read(const QString& FileName) const
{
    QFile File(FileName);
    // Unbuffered: the content goes straight into its buffer, without a copy through
    // the device's own.
    if (!File.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        CannotOpen(FileName, File.errorString());
    const qint64 Size = File.size();
    if (Size > FMaximumSize)
        TooLarge(FileName);

    QByteArray Content(qsizetype(Size), Qt::Uninitialized);
    qint64 Filled = 0;
    while (Filled < Size) {
        const qint64 Got = File.read(Content.data() + Filled, Size - Filled);
        if (Got < 0)
            CannotRead(FileName, File.errorString());
        if (Got == 0)
            break;
        Filled += Got;
    }
    if (Filled < Size) {
        Content.resize(qsizetype(Filled));
        return Content;
    }

    // Whatever follows the reported size comes in chunks of its own, so that a file that
    // holds just what it reported costs one more empty read and no copy.
    constexpr qint64 ChunkSize = 64 * 1024;
    QByteArray Chunk;
    for (;;) {
        const qint64 Room = std::min<qint64>(ChunkSize, FMaximumSize + 1 - Content.size());
        if (Chunk.size() < Room)
            Chunk.resize(qsizetype(Room));
        const qint64 Got = File.read(Chunk.data(), Room);
        if (Got < 0)
            CannotRead(FileName, File.errorString());
        if (Got == 0)
            return Content;
        Content.append(Chunk.constData(), qsizetype(Got));
        if (Content.size() > FMaximumSize)
            TooLarge(FileName);
    }
}

void TWholeFileReader::CannotOpen(const QString& FileName, const QString& Reason) const
{
    throw EOSError(TFileMessage::CannotOpen(FileName, Reason));
}

void TWholeFileReader::CannotRead(const QString& FileName, const QString& Reason) const
{
    throw EOSError(TFileMessage::CannotRead(FileName, Reason));
}

#include "ContinuedRecordReader.h"

#include "MalformedDataError.h"

#include <QtEndian>

#include <algorithm>

TContinuedRecordReader::TContinuedRecordReader(std::vector<QByteArrayView> Segments, QString What)
    : FSegments(std::move(Segments))
    , FWhat(std::move(What))
{
}

bool TContinuedRecordReader::AtEnd()
{
    while (FSegment < FSegments.size() && FPosition >= FSegments[FSegment].size())
    {
        ++FSegment;
        FPosition = 0;
    }
    return FSegment >= FSegments.size();
}

void TContinuedRecordReader::Truncated() const
{
    throw EMalformedData(QStringLiteral("%1被截断").arg(FWhat));
}

quint8 TContinuedRecordReader::ReadUInt8()
{
    if (AtEnd())
        Truncated();
    return quint8(FSegments[FSegment][FPosition++]);
}

quint16 TContinuedRecordReader::ReadUInt16()
{
    const quint8 Low = ReadUInt8();
    return quint16(Low | (ReadUInt8() << 8));
}

quint32 TContinuedRecordReader::ReadUInt32()
{
    const quint16 Low = ReadUInt16();
    return quint32(Low) | (quint32(ReadUInt16()) << 16);
}

void TContinuedRecordReader::Skip(quint64 Count)
{
    while (Count > 0)
    {
        if (AtEnd())
            Truncated();
        const quint64 Here = std::min<quint64>(Count, quint64(FSegments[FSegment].size() - FPosition));
        FPosition += qsizetype(Here);
        Count -= Here;
    }
}

QString TContinuedRecordReader::ReadCharacters(quint16 Count, bool HighByte)
{
    QString Text;
    Text.reserve(Count);
    qsizetype Left = Count;
    while (Left > 0)
    {
        // Characters continued in the next record start with a new flag byte saying
        // whether they are 8-bit or UTF-16 there.
        if (FSegment < FSegments.size() && FPosition >= FSegments[FSegment].size())
        {
            if (AtEnd())
                Truncated();
            HighByte = (ReadUInt8() & 0x01) != 0;
        }
        if (FSegment >= FSegments.size())
            Truncated();
        const QByteArrayView Segment = FSegments[FSegment];
        const qsizetype Width = HighByte ? 2 : 1;
        const qsizetype Here = std::min(Left, (Segment.size() - FPosition) / Width);
        if (Here == 0)
        {
            // A UTF-16 unit split by the record boundary.
            Text += QChar(ReadUInt16());
            --Left;
            continue;
        }
        const char* const Data = Segment.data() + FPosition;
        if (HighByte)
        {
            const qsizetype Old = Text.size();
            Text.resize(Old + Here);
            QChar* const Out = Text.data() + Old;
            for (qsizetype Index = 0; Index < Here; ++Index)
                Out[Index] = QChar(qFromLittleEndian<quint16>(Data + 2 * Index));
        }
        else
        {
            Text += QLatin1StringView(Data, Here);
        }
        FPosition += Here * Width;
        Left -= Here;
    }
    return Text;
}

QString TContinuedRecordReader::ReadUnicodeString()
{
    const quint16 Length = ReadUInt16();
    const bool HighByte = (ReadUInt8() & 0x01) != 0;
    return ReadCharacters(Length, HighByte);
}

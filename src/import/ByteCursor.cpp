#include "ByteCursor.h"

#include "MalformedDataError.h"

TByteCursor::TByteCursor(QByteArrayView Data, qsizetype Position)
    : FData(Data)
    , FPosition(0)
{
    Seek(Position);
}

void TByteCursor::Seek(qsizetype Position)
{
    if (Position < 0 || Position > FData.size())
        throw EMalformedData(QStringLiteral("位置 %1 超出了 %2 字节的数据范围").arg(Position).arg(FData.size()));
    FPosition = Position;
}

void TByteCursor::Skip(qsizetype Count)
{
    Require(Count);
    FPosition += Count;
}

void TByteCursor::Require(qsizetype Count) const
{
    if (Count < 0 || Count > Remaining())
        throw EMalformedData(
            QStringLiteral("数据在第 %1 字节处意外结束（还需要 %2 字节）").arg(FPosition).arg(Count));
}

quint8 TByteCursor::ReadUInt8()
{
    Require(1);
    return static_cast<quint8>(FData[FPosition++]);
}

quint16 TByteCursor::ReadUInt16()
{
    Require(2);
    const quint16 Value = qFromLittleEndian<quint16>(FData.data() + FPosition);
    FPosition += 2;
    return Value;
}

quint32 TByteCursor::ReadUInt32()
{
    Require(4);
    const quint32 Value = qFromLittleEndian<quint32>(FData.data() + FPosition);
    FPosition += 4;
    return Value;
}

quint64 TByteCursor::ReadUInt64()
{
    Require(8);
    const quint64 Value = qFromLittleEndian<quint64>(FData.data() + FPosition);
    FPosition += 8;
    return Value;
}

QByteArrayView TByteCursor::ReadBytes(qsizetype Count)
{
    Require(Count);
    const QByteArrayView Bytes = FData.sliced(FPosition, Count);
    FPosition += Count;
    return Bytes;
}

#pragma once

#include <QByteArrayView>
#include <QtEndian>

// Bounds-checked reading of little-endian values from a byte buffer that is not owned.
// Reading past the end raises EMalformedData instead of touching memory beyond it.
class TByteCursor
{
public:
    explicit TByteCursor(QByteArrayView Data, qsizetype Position = 0);

    qsizetype Position() const noexcept { return FPosition; }
    qsizetype Remaining() const noexcept { return FData.size() - FPosition; }

    void Seek(qsizetype Position);
    void Skip(qsizetype Count);

    quint8 ReadUInt8();
    quint16 ReadUInt16();
    quint32 ReadUInt32();
    quint64 ReadUInt64();
    QByteArrayView ReadBytes(qsizetype Count);

private:
    void Require(qsizetype Count) const;

    QByteArrayView FData;
    qsizetype FPosition;
};

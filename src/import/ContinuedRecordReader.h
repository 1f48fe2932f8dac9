#pragma once

#include <QByteArrayView>
#include <QString>

#include <vector>

// Reads a BIFF8 record together with the CONTINUE records that carry its rest, as one
// run of bytes, except that a string's characters continued in the next record start
// with a new flag byte saying whether they are 8-bit or UTF-16. Reading past the last
// segment raises EMalformedData saying that What is truncated.
class TContinuedRecordReader
{
public:
    TContinuedRecordReader(std::vector<QByteArrayView> Segments, QString What);

    bool AtEnd();
    quint8 ReadUInt8();
    quint16 ReadUInt16();
    quint32 ReadUInt32();
    void Skip(quint64 Count);
    QString ReadCharacters(quint16 Count, bool HighByte);
    // An XLUnicodeString: 16-bit length, flag byte and the characters.
    QString ReadUnicodeString();

private:
    [[noreturn]] void Truncated() const;

    std::vector<QByteArrayView> FSegments;
    QString FWhat;
    std::size_t FSegment = 0;
    qsizetype FPosition = 0;
};

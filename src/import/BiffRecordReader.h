#pragma once

#include "ByteCursor.h"

#include <QByteArrayView>

#include <vector>

// One record of a BIFF stream: its number and its body, which starts at Offset of the stream.
struct TBiffRecord
{
    quint16 Type = 0;
    qsizetype Offset = 0;
    QByteArrayView Body;
};

// Walks the records of an Excel workbook stream one after the other. A record whose body
// runs past the end of the stream is damaged (EMalformedData); up to three stray bytes at
// the end are no record and are passed over.
class TBiffRecordReader
{
public:
    static constexpr quint16 BeginOfFile = 0x0809;
    static constexpr quint16 EndOfFile = 0x000A;
    static constexpr quint16 Continue = 0x003C;

    explicit TBiffRecordReader(QByteArrayView Stream, qsizetype Offset = 0);

    // False at the end of the stream.
    bool Next(TBiffRecord& Record);

    // The bodies of the CONTINUE records that directly follow the record read last, which
    // carry the rest of a record too long for one; Next still visits them.
    std::vector<QByteArrayView> Continuations() const;

private:
    TByteCursor FCursor;
};

#include "BiffRecordReader.h"

TBiffRecordReader::TBiffRecordReader(QByteArrayView Stream, qsizetype Offset)
    : FCursor(Stream, Offset)
{
}

bool TBiffRecordReader::Next(TBiffRecord& Record)
{
    if (FCursor.Remaining() < 4)
        return false;
    Record.Type = FCursor.ReadUInt16();
    const quint16 Size = FCursor.ReadUInt16();
    Record.Offset = FCursor.Position();
    Record.Body = FCursor.ReadBytes(Size);
    return true;
}

std::vector<QByteArrayView> TBiffRecordReader::Continuations() const
{
    std::vector<QByteArrayView> Bodies;
    TBiffRecordReader Ahead(*this);
    TBiffRecord Record;
    while (Ahead.Next(Record) && Record.Type == Continue)
        Bodies.push_back(Record.Body);
    return Bodies;
}

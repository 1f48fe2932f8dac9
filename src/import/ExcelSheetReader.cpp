#include "ExcelSheetReader.h"

#include "BiffRecordReader.h"
#include "ByteCursor.h"
#include "CodePageDecoder.h"
#include "ContinuedRecordReader.h"
#include "MalformedDataError.h"
#include "XlsxParser.h"

#include <cstring>

namespace
{
enum TRecord : quint16
{
    Formula = 0x0006,
    MulRk = 0x00BD,
    Rstring = 0x00D6,
    LabelSst = 0x00FD,
    Dimensions = 0x0200,
    Number = 0x0203,
    Label = 0x0204,
    BoolErr = 0x0205,
    // Excel 3.0 and 4.0 numbered FORMULA so; some programs still write these numbers.
    Formula3 = 0x0206,
    String = 0x0207,
    Rk = 0x027E,
    Formula4 = 0x0406,
};

double RkValue(quint32 Rk)
{
    double Value;
    if (Rk & 0x02)
    {
        Value = double(qint32(Rk) >> 2);
    }
    else
    {
        const quint64 Bits = quint64(Rk & 0xFFFFFFFCu) << 32;
        std::memcpy(&Value, &Bits, sizeof Value);
    }
    return (Rk & 0x01) ? Value / 100 : Value;
}

double ReadDouble(TByteCursor& Cursor)
{
    const quint64 Bits = Cursor.ReadUInt64();
    double Value;
    std::memcpy(&Value, &Bits, sizeof Value);
    return Value;
}

QString ErrorText(quint8 Code)
{
    switch (Code)
    {
    case 0x00: return QStringLiteral("#NULL!");
    case 0x07: return QStringLiteral("#DIV/0!");
    case 0x0F: return QStringLiteral("#VALUE!");
    case 0x17: return QStringLiteral("#REF!");
    case 0x1D: return QStringLiteral("#NAME?");
    case 0x24: return QStringLiteral("#NUM!");
    default: return QStringLiteral("#N/A");
    }
}

QString BooleanText(bool Value)
{
    return Value ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
}

// An XLUnicodeString inside one record: 16-bit length, flag byte and the characters.
QString ReadUnicodeString(TByteCursor& Cursor)
{
    const quint16 Length = Cursor.ReadUInt16();
    const bool HighByte = (Cursor.ReadUInt8() & 0x01) != 0;
    const QByteArrayView Bytes = Cursor.ReadBytes(HighByte ? qsizetype(Length) * 2 : Length);
    if (!HighByte)
        return QString::fromLatin1(Bytes.data(), Bytes.size());
    QString Text(Length, Qt::Uninitialized);
    for (quint16 Index = 0; Index < Length; ++Index)
        Text[Index] = QChar(quint16(quint8(Bytes[2 * Index]) | (quint8(Bytes[2 * Index + 1]) << 8)));
    return Text;
}
} // namespace

QStringList TExcelSheetReader::ColumnA(QByteArrayView Stream, qsizetype Offset, const QStringList& SharedStrings)
{
    return TExcelSheetReader(&SharedStrings, nullptr).Read(Stream, Offset);
}

QStringList TExcelSheetReader::ColumnA(QByteArrayView Stream, qsizetype Offset, TCodePageDecoder& CodePage)
{
    return TExcelSheetReader(nullptr, &CodePage).Read(Stream, Offset);
}

TExcelSheetReader::TExcelSheetReader(const QStringList* SharedStrings, TCodePageDecoder* CodePage)
    : FSharedStrings(SharedStrings)
    , FCodePage(CodePage)
{
}

QStringList TExcelSheetReader::Read(QByteArrayView Stream, qsizetype Offset)
{
    TBiffRecordReader Records(Stream, Offset);
    TBiffRecord Record;
    // The sheet's own BOF makes the depth 1; an embedded chart opens a level of its own.
    int Depth = 0;
    while (Records.Next(Record))
    {
        if (Record.Type == TBiffRecordReader::BeginOfFile)
            ++Depth;
        else if (Record.Type == TBiffRecordReader::EndOfFile)
        {
            if (--Depth <= 0)
                break;
        }
        else if (Depth <= 1)
            ReadCell(Record, Records);
    }

    FLastRow = std::min<quint32>(FLastRow, TXlsxParser::MaximumRow);
    QStringList Lines;
    Lines.reserve(qsizetype(FLastRow));
    for (quint32 Row = 0; Row < FLastRow; ++Row)
        Lines << FCells.value(Row);
    return Lines;
}

void TExcelSheetReader::ReadCell(const TBiffRecord& Record, const TBiffRecordReader& Records)
{
    TByteCursor Cursor(Record.Body);
    switch (Record.Type)
    {
    case Dimensions:
        // One past the last used row, also counting cells that hold only formatting.
        if (FSharedStrings)
        {
            Cursor.ReadUInt32();
            FLastRow = std::max(FLastRow, Cursor.ReadUInt32());
        }
        else
        {
            Cursor.ReadUInt16();
            FLastRow = std::max<quint32>(FLastRow, Cursor.ReadUInt16());
        }
        break;
    case LabelSst:
    {
        const quint16 Row = Cursor.ReadUInt16();
        const quint16 Column = Cursor.ReadUInt16();
        Cursor.ReadUInt16();
        const quint32 Index = Cursor.ReadUInt32();
        if (!FSharedStrings || Index >= quint32(FSharedStrings->size()))
            throw EMalformedData(QStringLiteral("单元格引用了不存在的共享字符串 %1").arg(Index));
        Use(Row, Column, (*FSharedStrings)[qsizetype(Index)]);
        break;
    }
    case Label:
    case Rstring:
    {
        const quint16 Row = Cursor.ReadUInt16();
        const quint16 Column = Cursor.ReadUInt16();
        Cursor.ReadUInt16();
        Use(Row, Column, ReadString(Cursor));
        break;
    }
    case Rk:
    {
        const quint16 Row = Cursor.ReadUInt16();
        const quint16 Column = Cursor.ReadUInt16();
        Cursor.ReadUInt16();
        Use(Row, Column, TXlsxParser::FormatNumber(RkValue(Cursor.ReadUInt32())));
        break;
    }
    case MulRk:
    {
        const quint16 Row = Cursor.ReadUInt16();
        const quint16 First = Cursor.ReadUInt16();
        // Each cell is 6 bytes; the last column number closes the record.
        const qsizetype Count = (Record.Body.size() - 6) / 6;
        for (qsizetype Index = 0; Index < Count; ++Index)
        {
            Cursor.ReadUInt16();
            Use(Row, quint16(First + Index), TXlsxParser::FormatNumber(RkValue(Cursor.ReadUInt32())));
        }
        break;
    }
    case Number:
    {
        const quint16 Row = Cursor.ReadUInt16();
        const quint16 Column = Cursor.ReadUInt16();
        Cursor.ReadUInt16();
        Use(Row, Column, TXlsxParser::FormatNumber(ReadDouble(Cursor)));
        break;
    }
    case BoolErr:
    {
        const quint16 Row = Cursor.ReadUInt16();
        const quint16 Column = Cursor.ReadUInt16();
        Cursor.ReadUInt16();
        const quint8 Value = Cursor.ReadUInt8();
        const bool IsError = Cursor.ReadUInt8() != 0;
        Use(Row, Column, IsError ? ErrorText(Value) : BooleanText(Value != 0));
        break;
    }
    case Formula:
    case Formula3:
    case Formula4:
        ReadFormula(Cursor);
        break;
    case String:
        // Shared, array and table formulas put their own records between a formula and
        // its text, so the text belongs to the last formula that announced one.
        if (FPendingString)
        {
            const auto [Row, Column] = *FPendingString;
            FPendingString.reset();
            if (Column == 0)
                FCells[Row] = ReadContinuedString(Record, Records);
        }
        break;
    default:
        break;
    }
}

void TExcelSheetReader::ReadFormula(TByteCursor& Cursor)
{
    const quint16 Row = Cursor.ReadUInt16();
    const quint16 Column = Cursor.ReadUInt16();
    Cursor.ReadUInt16();
    const QByteArrayView Value = Cursor.ReadBytes(8);
    // A result that is no number is marked by 0xFFFF in its top bytes, a NaN no
    // calculation gives.
    if (quint8(Value[6]) != 0xFF || quint8(Value[7]) != 0xFF)
    {
        TByteCursor Number(Value);
        Use(Row, Column, TXlsxParser::FormatNumber(ReadDouble(Number)));
        return;
    }
    switch (quint8(Value[0]))
    {
    case 0: // the text follows in a STRING record
        Use(Row, Column, QString());
        FPendingString.emplace(Row, Column);
        break;
    case 1:
        Use(Row, Column, BooleanText(Value[2] != 0));
        break;
    case 2:
        Use(Row, Column, ErrorText(quint8(Value[2])));
        break;
    default: // an empty text
        Use(Row, Column, QString());
    }
}

QString TExcelSheetReader::ReadString(TByteCursor& Cursor)
{
    if (!FCodePage)
        return ReadUnicodeString(Cursor);
    const quint16 Length = Cursor.ReadUInt16();
    return FCodePage->Decode(Cursor.ReadBytes(Length));
}

QString TExcelSheetReader::ReadContinuedString(const TBiffRecord& Record, const TBiffRecordReader& Records)
{
    if (FCodePage)
    {
        // Excel 5.0/95 texts are at most 255 characters and never continued.
        TByteCursor Cursor(Record.Body);
        return ReadString(Cursor);
    }
    std::vector<QByteArrayView> Segments{Record.Body};
    const std::vector<QByteArrayView> Rest = Records.Continuations();
    Segments.insert(Segments.end(), Rest.begin(), Rest.end());
    return TContinuedRecordReader(std::move(Segments), QStringLiteral("公式的文字结果")).ReadUnicodeString();
}

void TExcelSheetReader::Use(quint32 Row, quint16 Column, const QString& Text)
{
    FLastRow = std::max(FLastRow, Row + 1);
    if (Column == 0)
        FCells[Row] = Text;
}

#include "ExcelBinaryParser.h"

#include "ByteCursor.h"
#include "CompoundFile.h"
#include "MalformedDataError.h"
#include "PackageDecryptor.h"
#include "PasswordError.h"
#include "Rc4CryptoApiKey.h"
#include "Rc4Key.h"
#include "UnsupportedEncryptionError.h"
#include "UnsupportedFormatError.h"
#include "XlsxParser.h"

#include <QMap>

#include <cstring>
#include <functional>
#include <optional>

namespace {

enum TRecord : quint16
{
    Formula = 0x0006,
    EndOfFile = 0x000A,
    FilePass = 0x002F,
    Continue = 0x003C,
    BoundSheet = 0x0085,
    MulRk = 0x00BD,
    Rstring = 0x00D6,
    InterfaceHeader = 0x00E1,
    SharedStrings = 0x00FC,
    LabelSst = 0x00FD,
    RevisionHead = 0x0138,
    UserExclusive = 0x0194,
    FileLock = 0x0195,
    RevisionInfo = 0x0196,
    Dimensions = 0x0200,
    Number = 0x0203,
    Label = 0x0204,
    BoolErr = 0x0205,
    String = 0x0207,
    Rk = 0x027E,
    BeginOfFile = 0x0809,
};

struct TRecordView
{
    quint16 Type;
    qsizetype Offset; // of the body in the stream
    QByteArrayView Body;
};

// Walks the records of a stream from Offset until EOF of the substream or the end.
void ForEachRecord(QByteArrayView Stream, qsizetype Offset, const std::function<bool(const TRecordView&)>& Visit)
{
    TByteCursor Cursor(Stream, Offset);
    while (Cursor.Remaining() >= 4) {
        const quint16 Type = Cursor.ReadUInt16();
        const quint16 Size = Cursor.ReadUInt16();
        const qsizetype BodyOffset = Cursor.Position();
        const QByteArrayView Body = Cursor.ReadBytes(Size);
        if (!Visit({Type, BodyOffset, Body}))
            return;
    }
}

// Decrypts every record body after FILEPASS in place, leaving the bodies that Excel
// never encrypts; headers stay plain but advance the key stream all the same.
template <class TKey>
void DecryptStream(QByteArray& Stream, qsizetype After, const TKey& Key)
{
    TByteCursor Cursor(Stream, After);
    while (Cursor.Remaining() >= 4) {
        const quint16 Type = Cursor.ReadUInt16();
        const quint16 Size = Cursor.ReadUInt16();
        const qsizetype BodyOffset = Cursor.Position();
        Cursor.Skip(Size);
        switch (Type) {
        case BeginOfFile:
        case FilePass:
        case UserExclusive:
        case FileLock:
        case InterfaceHeader:
        case RevisionInfo:
        case RevisionHead:
            break;
        case BoundSheet:
            // The sheet's stream position stays readable.
            if (Size > 4)
                Key.Apply(Stream.data() + BodyOffset + 4, Size - 4, BodyOffset + 4, 1024);
            break;
        default:
            Key.Apply(Stream.data() + BodyOffset, Size, BodyOffset, 1024);
        }
    }
}

void Decrypt(QByteArray& Stream, const TRecordView& FilePassRecord, const QString& Password, const QString& FileName)
{
    TByteCursor Cursor(FilePassRecord.Body);
    const quint16 EncryptionType = Cursor.ReadUInt16();
    if (EncryptionType == 0)
        throw EUnsupportedEncryption(QStringLiteral("XOR 混淆"));
    if (EncryptionType != 1)
        throw EUnsupportedEncryption(QStringLiteral("加密类型 %1").arg(EncryptionType));
    const QByteArray Info = FilePassRecord.Body.sliced(2).toByteArray();
    const quint16 Major = TByteCursor(Info).ReadUInt16();

    QStringList Passwords;
    if (!Password.isEmpty())
        Passwords << Password;
    Passwords << TPackageDecryptor::ExcelDefaultPassword.toString();
    const qsizetype After = FilePassRecord.Offset + FilePassRecord.Body.size();
    for (const QString& Candidate : Passwords) {
        if (Major == 1) {
            if (const std::optional<TRc4Key> Key = TRc4Key::Derive(Info, Candidate)) {
                DecryptStream(Stream, After, *Key);
                return;
            }
        } else if (const std::optional<TRc4CryptoApiKey> Key = TRc4CryptoApiKey::Derive(Info, Candidate)) {
            DecryptStream(Stream, After, *Key);
            return;
        }
    }
    throw Password.isEmpty() ? TPasswordError::Missing(FileName) : TPasswordError::Wrong(FileName);
}

// Reads the characters of a string that may continue in the following CONTINUE
// records, where each continuation starts with a new high-byte flag.
class TContinuedReader
{
public:
    explicit TContinuedReader(std::vector<QByteArrayView> Segments) : FSegments(std::move(Segments)) {}

    bool AtEnd()
    {
        while (FSegment < FSegments.size() && FPosition >= FSegments[FSegment].size()) {
            ++FSegment;
            FPosition = 0;
        }
        return FSegment >= FSegments.size();
    }

    quint8 ReadUInt8()
    {
        if (AtEnd())
            throw EMalformedData(QStringLiteral("共享字符串表被截断"));
        return quint8(FSegments[FSegment][FPosition++]);
    }
    quint16 ReadUInt16() { return quint16(ReadUInt8() | (ReadUInt8() << 8)); }
    quint32 ReadUInt32() { return quint32(ReadUInt16()) | (quint32(ReadUInt16()) << 16); }
    void Skip(quint64 Count)
    {
        while (Count > 0) {
            if (AtEnd())
                throw EMalformedData(QStringLiteral("共享字符串表被截断"));
            const quint64 Here = std::min<quint64>(Count, quint64(FSegments[FSegment].size() - FPosition));
            FPosition += qsizetype(Here);
            Count -= Here;
        }
    }

    QString ReadCharacters(quint16 Count, bool HighByte)
    {
        QString Text;
        Text.reserve(Count);
        for (quint16 Index = 0; Index < Count; ++Index) {
            if (FSegment < FSegments.size() && FPosition >= FSegments[FSegment].size()) {
                if (AtEnd())
                    throw EMalformedData(QStringLiteral("共享字符串表被截断"));
                HighByte = (ReadUInt8() & 0x01) != 0;
            }
            Text += HighByte ? QChar(ReadUInt16()) : QChar(ReadUInt8());
        }
        return Text;
    }

private:
    std::vector<QByteArrayView> FSegments;
    std::size_t FSegment = 0;
    qsizetype FPosition = 0;
};

QStringList ReadSharedStrings(std::vector<QByteArrayView> Segments)
{
    TContinuedReader Reader(std::move(Segments));
    Reader.ReadUInt32(); // total references
    const quint32 Unique = Reader.ReadUInt32();
    QStringList Strings;
    for (quint32 Index = 0; Index < Unique && !Reader.AtEnd(); ++Index) {
        const quint16 Length = Reader.ReadUInt16();
        const quint8 Flags = Reader.ReadUInt8();
        const quint16 Runs = (Flags & 0x08) ? Reader.ReadUInt16() : 0;
        const quint32 Extension = (Flags & 0x04) ? Reader.ReadUInt32() : 0;
        Strings << Reader.ReadCharacters(Length, (Flags & 0x01) != 0);
        Reader.Skip(quint64(Runs) * 4 + Extension);
    }
    return Strings;
}

// An XLUnicodeString: a 16-bit length, a flag byte and the characters.
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

double RkValue(quint32 Rk)
{
    double Value;
    if (Rk & 0x02) {
        Value = double(qint32(Rk) >> 2);
    } else {
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
    switch (Code) {
    case 0x00: return QStringLiteral("#NULL!");
    case 0x07: return QStringLiteral("#DIV/0!");
    case 0x0F: return QStringLiteral("#VALUE!");
    case 0x17: return QStringLiteral("#REF!");
    case 0x1D: return QStringLiteral("#NAME?");
    case 0x24: return QStringLiteral("#NUM!");
    case 0x2A: return QStringLiteral("#N/A");
    default: return QStringLiteral("#N/A");
    }
}

QString BooleanText(bool Value)
{
    return Value ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
}

QStringList ReadColumnA(QByteArrayView Stream, qsizetype SheetOffset, const QStringList& SharedStrings)
{
    QMap<quint32, QString> Cells; // column A by 0-based row
    quint32 LastRow = 0;         // one past the last used row
    bool PendingFormulaString = false;
    quint32 PendingRow = 0;

    const auto Use = [&](quint32 Row, quint16 Column, const QString& Text) {
        LastRow = std::max(LastRow, Row + 1);
        if (Column == 0)
            Cells[Row] = Text;
    };

    ForEachRecord(Stream, SheetOffset, [&](const TRecordView& Record) {
        TByteCursor Cursor(Record.Body);
        if (Record.Type != String)
            PendingFormulaString = false;
        switch (Record.Type) {
        case EndOfFile:
            return false;
        case Dimensions:
            Cursor.ReadUInt32();
            LastRow = std::max(LastRow, Cursor.ReadUInt32());
            break;
        case LabelSst: {
            const quint16 Row = Cursor.ReadUInt16();
            const quint16 Column = Cursor.ReadUInt16();
            Cursor.ReadUInt16();
            const quint32 Index = Cursor.ReadUInt32();
            if (Index >= quint32(SharedStrings.size()))
                throw EMalformedData(QStringLiteral("单元格引用了不存在的共享字符串 %1").arg(Index));
            Use(Row, Column, SharedStrings[qsizetype(Index)]);
            break;
        }
        case Label:
        case Rstring: {
            const quint16 Row = Cursor.ReadUInt16();
            const quint16 Column = Cursor.ReadUInt16();
            Cursor.ReadUInt16();
            Use(Row, Column, ReadUnicodeString(Cursor));
            break;
        }
        case Rk: {
            const quint16 Row = Cursor.ReadUInt16();
            const quint16 Column = Cursor.ReadUInt16();
            Cursor.ReadUInt16();
            Use(Row, Column, TXlsxParser::FormatNumber(RkValue(Cursor.ReadUInt32())));
            break;
        }
        case MulRk: {
            const quint16 Row = Cursor.ReadUInt16();
            const quint16 First = Cursor.ReadUInt16();
            // Each cell is 6 bytes; the last column number closes the record.
            const qsizetype Count = (Record.Body.size() - 6) / 6;
            for (qsizetype Index = 0; Index < Count; ++Index) {
                Cursor.ReadUInt16();
                Use(Row, quint16(First + Index), TXlsxParser::FormatNumber(RkValue(Cursor.ReadUInt32())));
            }
            break;
        }
        case Number: {
            const quint16 Row = Cursor.ReadUInt16();
            const quint16 Column = Cursor.ReadUInt16();
            Cursor.ReadUInt16();
            Use(Row, Column, TXlsxParser::FormatNumber(ReadDouble(Cursor)));
            break;
        }
        case BoolErr: {
            const quint16 Row = Cursor.ReadUInt16();
            const quint16 Column = Cursor.ReadUInt16();
            Cursor.ReadUInt16();
            const quint8 Value = Cursor.ReadUInt8();
            const bool IsError = Cursor.ReadUInt8() != 0;
            Use(Row, Column, IsError ? ErrorText(Value) : BooleanText(Value != 0));
            break;
        }
        case Formula: {
            const quint16 Row = Cursor.ReadUInt16();
            const quint16 Column = Cursor.ReadUInt16();
            Cursor.ReadUInt16();
            const QByteArrayView Value = Cursor.ReadBytes(8);
            if (quint8(Value[6]) == 0xFF && quint8(Value[7]) == 0xFF) {
                switch (quint8(Value[0])) {
                case 0: // the text follows in a STRING record
                    Use(Row, Column, QString());
                    PendingFormulaString = Column == 0;
                    PendingRow = Row;
                    break;
                case 1: Use(Row, Column, BooleanText(Value[2] != 0)); break;
                case 2: Use(Row, Column, ErrorText(quint8(Value[2]))); break;
                default: Use(Row, Column, QString());
                }
            } else {
                TByteCursor Number(Value);
                Use(Row, Column, TXlsxParser::FormatNumber(ReadDouble(Number)));
            }
            break;
        }
        case String:
            if (PendingFormulaString)
                Cells[PendingRow] = ReadUnicodeString(Cursor);
            PendingFormulaString = false;
            break;
        default:
            break;
        }
        return true;
    });

    LastRow = std::min<quint32>(LastRow, TXlsxParser::MaximumRow);
    QStringList Lines;
    Lines.reserve(qsizetype(LastRow));
    for (quint32 Row = 0; Row < LastRow; ++Row)
        Lines << Cells.value(Row);
    return Lines;
}

EDocument Damaged(const QString& FileName, const QString& Reason)
{
    return EDocument(QStringLiteral("无法读取 Excel 工作簿 '%1'：文件已损坏（%2）。").arg(FileName, Reason));
}

} // namespace

QStringList TExcelBinaryParser::Parse(const TCompoundFile& File, const QString& Password, const QString& FileName)
{
    if (!File.HasStream(QStringLiteral("Workbook"))) {
        if (File.HasStream(QStringLiteral("Book")))
            throw EDocument(QStringLiteral("无法读取 Excel 工作簿 '%1'：Excel 5.0/95 格式不受支持，请另存为 .xls（97-2003）或 .xlsx。").arg(FileName));
        throw EDocument(QStringLiteral("Érvénytelen dokumentum formátum: %1.").arg(FileName));
    }
    QByteArray Stream = File.ReadStream(QStringLiteral("Workbook"));
    try {
        std::optional<TRecordView> FilePassRecord;
        bool First = true;
        ForEachRecord(Stream, 0, [&](const TRecordView& Record) {
            if (First && Record.Type != BeginOfFile)
                throw EMalformedData(QStringLiteral("工作簿流不以 BOF 记录开始"));
            First = false;
            if (Record.Type == FilePass)
                FilePassRecord = Record;
            return Record.Type != EndOfFile && !FilePassRecord;
        });
        if (First)
            throw EMalformedData(QStringLiteral("工作簿流为空"));
        if (FilePassRecord)
            Decrypt(Stream, *FilePassRecord, Password, FileName);

        std::optional<qsizetype> SheetOffset;
        std::vector<QByteArrayView> SharedStringSegments;
        bool InSharedStrings = false;
        ForEachRecord(Stream, 0, [&](const TRecordView& Record) {
            if (Record.Type == Continue && InSharedStrings) {
                SharedStringSegments.push_back(Record.Body);
                return true;
            }
            InSharedStrings = Record.Type == SharedStrings;
            if (InSharedStrings)
                SharedStringSegments.push_back(Record.Body);
            if (Record.Type == BoundSheet && !SheetOffset) {
                TByteCursor Cursor(Record.Body);
                const quint32 Position = Cursor.ReadUInt32();
                Cursor.ReadUInt8();
                if (Cursor.ReadUInt8() == 0) // a worksheet, not a chart or macro sheet
                    SheetOffset = qsizetype(Position);
            }
            return Record.Type != EndOfFile;
        });
        if (!SheetOffset)
            return {};
        if (*SheetOffset >= Stream.size())
            throw EMalformedData(QStringLiteral("工作表的位置超出了工作簿流"));
        const QStringList Strings = SharedStringSegments.empty() ? QStringList() : ReadSharedStrings(SharedStringSegments);
        return ReadColumnA(Stream, *SheetOffset, Strings);
    } catch (const EUnsupportedEncryption& Error) {
        throw EDocument(QStringLiteral("无法打开 Excel 工作簿 '%1'：它的加密方式不受支持（%2）。").arg(FileName, Error.Message()));
    } catch (const EMalformedData& Error) {
        throw Damaged(FileName, Error.Message());
    }
}

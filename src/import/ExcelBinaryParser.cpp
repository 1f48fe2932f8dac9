#include "ExcelBinaryParser.h"

#include "BiffRecordReader.h"
#include "ByteCursor.h"
#include "CodePageDecoder.h"
#include "CompoundFile.h"
#include "ContinuedRecordReader.h"
#include "ExcelSheetReader.h"
#include "MalformedDataError.h"
#include "PackageDecryptor.h"
#include "PasswordError.h"
#include "Rc4CryptoApiKey.h"
#include "Rc4Key.h"
#include "UnsupportedEncryptionError.h"
#include "UnsupportedFormatError.h"

#include <optional>

namespace {

enum TRecord : quint16
{
    FilePass = 0x002F,
    CodePage = 0x0042,
    BoundSheet = 0x0085,
    InterfaceHeader = 0x00E1,
    SharedStrings = 0x00FC,
    RevisionHead = 0x0138,
    UserExclusive = 0x0194,
    FileLock = 0x0195,
    RevisionInfo = 0x0196,
};

constexpr quint16 Biff5 = 0x0500;
constexpr quint16 Biff8 = 0x0600;

// Decrypts every record body after FILEPASS in place, leaving the bodies that Excel
// never encrypts; headers stay plain but advance the key stream all the same.
template <class TKey>
void DecryptStream(QByteArray& Stream, qsizetype After, const TKey& Key)
{
    char* const Data = Stream.data();
    TBiffRecordReader Records(Stream, After);
    TBiffRecord Record;
    while (Records.Next(Record)) {
        switch (Record.Type) {
        case TBiffRecordReader::BeginOfFile:
        case FilePass:
        case UserExclusive:
        case FileLock:
        case InterfaceHeader:
        case RevisionInfo:
        case RevisionHead:
            break;
        case BoundSheet:
            // The sheet's stream position stays readable.
            if (Record.Body.size() > 4)
                Key.Apply(Data + Record.Offset + 4, Record.Body.size() - 4, Record.Offset + 4, 1024);
            break;
        default:
            Key.Apply(Data + Record.Offset, Record.Body.size(), Record.Offset, 1024);
        }
    }
}

void Decrypt(QByteArray& Stream, const TBiffRecord& FilePassRecord, const QString& Password, const QString& FileName)
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

QStringList ReadSharedStrings(std::vector<QByteArrayView> Segments)
{
    TContinuedRecordReader Reader(std::move(Segments), QStringLiteral("共享字符串表"));
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

// Excel 2.x to 4.0 kept a worksheet or a workbook as a bare record stream whose first
// record is a BOF of their own number; its document type tells it from other content.
std::optional<QString> OlderFormat(QByteArrayView Stream)
{
    if (Stream.size() < 8)
        return std::nullopt;
    TByteCursor Cursor(Stream);
    const quint16 Type = Cursor.ReadUInt16();
    const quint16 Size = Cursor.ReadUInt16();
    Cursor.ReadUInt16(); // version
    const quint16 Kind = Cursor.ReadUInt16();
    const bool KnownKind = Kind == 0x0010 || Kind == 0x0020 || Kind == 0x0040 || Kind == 0x0100;
    if (Size < 4 || Size > 16 || !KnownKind)
        return std::nullopt;
    switch (Type) {
    case 0x0009: return QStringLiteral("Excel 2.x");
    case 0x0209: return QStringLiteral("Excel 3.0");
    case 0x0409: return QStringLiteral("Excel 4.0");
    default: return std::nullopt;
    }
}

QString OlderFormatReason(const QString& Format)
{
    return QStringLiteral("这是 %1 格式的文件，不受支持；请在 Excel 中将它另存为 Excel 97-2003 工作簿（.xls）或 Excel 工作簿（.xlsx）").arg(Format);
}

// The BIFF version of the workbook stream, from its BOF record; programs that leave the
// version out are taken at the word of the stream's name.
quint16 Version(QByteArrayView Stream, bool NamedBook)
{
    if (Stream.size() < 4)
        throw EMalformedData(QStringLiteral("工作簿流为空"));
    if (const std::optional<QString> Format = OlderFormat(Stream))
        throw EUnsupportedFormat(OlderFormatReason(*Format));
    TBiffRecordReader Records(Stream);
    TBiffRecord Bof;
    Records.Next(Bof);
    if (Bof.Type != TBiffRecordReader::BeginOfFile)
        throw EMalformedData(QStringLiteral("工作簿流不以 BOF 记录开始"));
    const quint16 Declared = Bof.Body.size() >= 2 ? TByteCursor(Bof.Body).ReadUInt16() : 0;
    if (Declared == Biff5 || Declared == Biff8)
        return Declared;
    return NamedBook ? Biff5 : Biff8;
}

struct TGlobals
{
    std::optional<qsizetype> SheetOffset;
    std::vector<QByteArrayView> SharedStrings;
    quint16 CodePage = TCodePageDecoder::WesternEuropean;
};

TGlobals ReadGlobals(QByteArrayView Stream)
{
    TGlobals Globals;
    TBiffRecordReader Records(Stream);
    TBiffRecord Record;
    while (Records.Next(Record) && Record.Type != TBiffRecordReader::EndOfFile) {
        TByteCursor Cursor(Record.Body);
        switch (Record.Type) {
        case SharedStrings:
            Globals.SharedStrings = Records.Continuations();
            Globals.SharedStrings.insert(Globals.SharedStrings.begin(), Record.Body);
            break;
        case CodePage:
            Globals.CodePage = Cursor.ReadUInt16();
            break;
        case BoundSheet:
            if (!Globals.SheetOffset) {
                const quint32 Position = Cursor.ReadUInt32();
                Cursor.ReadUInt8();
                if (Cursor.ReadUInt8() == 0) // a worksheet, not a chart or macro sheet
                    Globals.SheetOffset = qsizetype(Position);
            }
            break;
        default:
            break;
        }
    }
    return Globals;
}

EDocument Damaged(const QString& FileName, const QString& Reason)
{
    return EDocument(QStringLiteral("无法读取 Excel 工作簿 '%1'：文件已损坏（%2）。").arg(FileName, Reason));
}

EDocument Unsupported(const QString& FileName, const QString& Reason)
{
    return EDocument(QStringLiteral("无法读取 Excel 工作簿 '%1'：%2。").arg(FileName, Reason));
}

} // namespace

QStringList TExcelBinaryParser::Parse(const TCompoundFile& File, const QString& Password, const QString& FileName)
{
    // Excel 97 and later write "Workbook"; Excel 5.0/95 wrote "Book", and a workbook saved
    // for both keeps the newer stream beside the older one.
    const QString StreamName = File.HasStream(QStringLiteral("Workbook")) ? QStringLiteral("Workbook") : QStringLiteral("Book");
    if (!File.HasStream(StreamName))
        throw EDocument::InvalidFormat(FileName);
    QByteArray Stream = File.ReadStream(StreamName);
    try {
        const quint16 Biff = Version(Stream, StreamName == QStringLiteral("Book"));
        std::optional<TBiffRecord> FilePassRecord;
        {
            TBiffRecordReader Records(Stream);
            TBiffRecord Record;
            while (!FilePassRecord && Records.Next(Record) && Record.Type != TBiffRecordReader::EndOfFile)
                if (Record.Type == FilePass)
                    FilePassRecord = Record;
        }
        if (FilePassRecord) {
            // Excel 5.0/95 knew no encryption but XOR obfuscation.
            if (Biff == Biff5)
                throw EUnsupportedEncryption(QStringLiteral("XOR 混淆"));
            Decrypt(Stream, *FilePassRecord, Password, FileName);
        }

        const TGlobals Globals = ReadGlobals(Stream);
        if (!Globals.SheetOffset)
            return {};
        if (*Globals.SheetOffset >= Stream.size())
            throw EMalformedData(QStringLiteral("工作表的位置超出了工作簿流"));
        if (Biff == Biff5) {
            TCodePageDecoder CodePage(Globals.CodePage);
            return TExcelSheetReader::ColumnA(Stream, *Globals.SheetOffset, CodePage);
        }
        const QStringList Strings = Globals.SharedStrings.empty() ? QStringList() : ReadSharedStrings(Globals.SharedStrings);
        return TExcelSheetReader::ColumnA(Stream, *Globals.SheetOffset, Strings);
    } catch (const EUnsupportedEncryption& Error) {
        throw EDocument(QStringLiteral("无法打开 Excel 工作簿 '%1'：它的加密方式不受支持（%2）。").arg(FileName, Error.Message()));
    } catch (const EUnsupportedFormat& Error) {
        throw Unsupported(FileName, Error.Message());
    } catch (const EMalformedData& Error) {
        throw Damaged(FileName, Error.Message());
    }
}

void TExcelBinaryParser::RefuseOlderFormat(QByteArrayView Content, const QString& FileName)
{
    if (const std::optional<QString> Format = OlderFormat(Content))
        throw Unsupported(FileName, OlderFormatReason(*Format));
}

#include "WordFib.h"

#include "ByteCursor.h"
#include "UnsupportedFormatError.h"

#include <algorithm>
#include <iterator>

namespace
{
constexpr quint16 WordIdent = 0xA5EC;
// Word 6.0 and Word 95, then their Japanese, Korean and Chinese editions.
constexpr quint16 Word6Idents[] = {0xA5DC, 0xA697, 0xA698, 0xA699, 0x8098, 0x8099};
constexpr quint16 Word1Ident = 0xA59B;
constexpr quint16 Word2Ident = 0xA5DB;

// Word 6.0 wrote 101, Word 95 104 and 105; Word 97 and later at least 192.
constexpr quint16 Word6Version = 101;
constexpr quint16 Word97Version = 0x00C0;
constexpr quint16 Word2Version = 45;

constexpr quint16 FlagComplex = 0x0004;
constexpr quint16 FlagEncrypted = 0x0100;
constexpr quint16 FlagWhichTableStream = 0x0200;
constexpr quint16 FlagExtendedCharacters = 0x1000;
constexpr quint16 FlagObfuscated = 0x8000;

constexpr int TextLengthIndex = 3;           // ccpText among the 32-bit values
constexpr int CharacterFormatPagesIndex = 12; // fcPlcfBteChpx among the offset/size pairs
constexpr int ParagraphFormatPagesIndex = 13; // fcPlcfBtePapx
constexpr int PieceTableIndex = 33;          // fcClx among the offset/size pairs

// Fixed offsets of the Word 6.0 / Word 95 block.
constexpr qsizetype Word6Language = 0x06;
constexpr qsizetype Word6CharacterSet = 0x14;
constexpr qsizetype Word6TextStart = 0x18;
constexpr qsizetype Word6TextLength = 0x34;
constexpr qsizetype Word6StyleSheet = 0x60;
constexpr qsizetype Word6CharacterFormatPages = 0xB8;
constexpr qsizetype Word6ParagraphFormatPages = 0xC0;
constexpr qsizetype Word6FontTable = 0xD0;
constexpr qsizetype Word6PieceTable = 0x160;
constexpr qsizetype Word6CharacterPageCount = 0x18E;
constexpr qsizetype Word6ParagraphPageCount = 0x190;

EUnsupportedFormat OlderFormatError(const QString& Format)
{
    return EUnsupportedFormat(
        QStringLiteral("这是 %1 格式的文档，不受支持；请在 Word 中把它另存为 Word 97-2003 文档（.doc）或 Word 文档（.docx）后再读取")
            .arg(Format));
}

TWordFib::TLocation ReadLocation(TByteCursor& Cursor, qsizetype Offset)
{
    Cursor.Seek(Offset);
    TWordFib::TLocation Result;
    Result.Offset = Cursor.ReadUInt32();
    Result.Size = Cursor.ReadUInt32();
    return Result;
}

void ReadWord6(TByteCursor& Cursor, TWordFib& Fib)
{
    Cursor.Seek(Word6Language);
    Fib.Language = Cursor.ReadUInt16();
    Cursor.Seek(Word6CharacterSet);
    Fib.CharacterSet = Cursor.ReadUInt16();
    Cursor.Seek(Word6TextStart);
    Fib.TextStart = Cursor.ReadUInt32();
    Cursor.Seek(Word6TextLength);
    Fib.TextLength = Cursor.ReadUInt32();
    Fib.StyleSheet = ReadLocation(Cursor, Word6StyleSheet);
    Fib.CharacterFormatPages = ReadLocation(Cursor, Word6CharacterFormatPages);
    Fib.ParagraphFormatPages = ReadLocation(Cursor, Word6ParagraphFormatPages);
    Fib.FontTable = ReadLocation(Cursor, Word6FontTable);
    Fib.PieceTable = ReadLocation(Cursor, Word6PieceTable);
    Cursor.Seek(Word6CharacterPageCount);
    Fib.CharacterPageCount = Cursor.ReadUInt16();
    Cursor.Seek(Word6ParagraphPageCount);
    Fib.ParagraphPageCount = Cursor.ReadUInt16();
}

EMalformedData FibTooShort()
{
    return EMalformedData(QStringLiteral("文档信息块太短"));
}

void ReadWord97(TByteCursor& Cursor, TWordFib& Fib)
{
    Cursor.Seek(0x20);
    Cursor.Skip(qsizetype(Cursor.ReadUInt16()) * 2); // FibRgW97
    const quint16 LongCount = Cursor.ReadUInt16();
    if (LongCount <= TextLengthIndex)
        throw FibTooShort();
    const qsizetype Longs = Cursor.Position();
    Cursor.Skip(qsizetype(LongCount) * 4);
    const quint16 PairCount = Cursor.ReadUInt16();
    if (PairCount <= PieceTableIndex)
        throw FibTooShort();
    const qsizetype Pairs = Cursor.Position();
    Cursor.Skip(qsizetype(PairCount) * 8);

    Cursor.Seek(Longs + TextLengthIndex * 4);
    Fib.TextLength = Cursor.ReadUInt32();
    Fib.PieceTable = ReadLocation(Cursor, Pairs + PieceTableIndex * 8);
    Fib.ParagraphFormatPages = ReadLocation(Cursor, Pairs + ParagraphFormatPagesIndex * 8);
    Fib.CharacterFormatPages = ReadLocation(Cursor, Pairs + CharacterFormatPagesIndex * 8);
}
} // namespace

QString TWordFib::OlderFormat(QByteArrayView Bytes)
{
    if (Bytes.size() < 4)
        return QString();
    TByteCursor Cursor(Bytes);
    const quint16 Ident = Cursor.ReadUInt16();
    if (Cursor.ReadUInt16() >= Word6Version)
        return QString();
    if (Ident == Word1Ident)
        return QStringLiteral("Word 1.x");
    if (Ident == Word2Ident)
        return QStringLiteral("Word 2.x");
    return QString();
}

TWordFib TWordFib::Read(QByteArrayView WordDocument, bool HeaderOnly)
{
    TByteCursor Cursor(WordDocument);
    TWordFib Fib;
    const quint16 Ident = Cursor.ReadUInt16();
    Fib.Version = Cursor.ReadUInt16();
    const QString Older = OlderFormat(WordDocument);
    if (!Older.isEmpty())
        throw OlderFormatError(Older);
    if (Ident != WordIdent && std::find(std::begin(Word6Idents), std::end(Word6Idents), Ident) == std::end(Word6Idents))
        throw EMalformedData(QStringLiteral("不是 Word 文档"));
    if (Fib.Version < Word6Version)
        throw OlderFormatError(Fib.Version >= Word2Version ? QStringLiteral("Word 2.x") : QStringLiteral("Word 1.x"));
    Fib.Word6 = Fib.Version < Word97Version;

    Cursor.Seek(0x0A);
    const quint16 Flags = Cursor.ReadUInt16();
    Fib.Encrypted = (Flags & FlagEncrypted) != 0;
    if (Fib.Word6)
    {
        Fib.Complex = (Flags & FlagComplex) != 0;
        Fib.WideText = (Flags & FlagExtendedCharacters) != 0;
    }
    else
    {
        Fib.TableStreamOne = (Flags & FlagWhichTableStream) != 0;
        Fib.Obfuscated = (Flags & FlagObfuscated) != 0;
        Cursor.Skip(2);
        Fib.EncryptionHeaderSize = Cursor.ReadUInt32();
    }
    if (HeaderOnly)
        return Fib;

    if (Fib.Word6)
        ReadWord6(Cursor, Fib);
    else
        ReadWord97(Cursor, Fib);
    return Fib;
}

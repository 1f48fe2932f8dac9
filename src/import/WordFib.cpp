#include "WordFib.h"

#include "ByteCursor.h"
#include "UnsupportedFormatError.h"

namespace
{
constexpr quint16 WordIdent = 0xA5EC;
// Word 97 wrote this version; Word 6 and 95 files have a different layout.
constexpr quint16 Word97Version = 0x00C1;
constexpr quint16 FlagWhichTableStream = 0x0200;
constexpr quint16 FlagEncrypted = 0x0100;
constexpr quint16 FlagObfuscated = 0x8000;
constexpr int TextLengthIndex = 3;           // ccpText among the 32-bit values
constexpr int ParagraphFormatPagesIndex = 13; // fcPlcfBtePapx among the offset/size pairs
constexpr int PieceTableIndex = 33;          // fcClx among the offset/size pairs
} // namespace

TWordFib TWordFib::Read(QByteArrayView WordDocument, bool HeaderOnly)
{
    TByteCursor Cursor(WordDocument);
    TWordFib Fib;
    if (Cursor.ReadUInt16() != WordIdent)
        throw EMalformedData(QStringLiteral("不是 Word 97-2003 文档"));
    Fib.Version = Cursor.ReadUInt16();
    if (Fib.Version < Word97Version)
        throw EUnsupportedFormat(QStringLiteral("这是 Word 95 或更早版本的文档，其格式不受支持"));
    Cursor.Seek(0x0A);
    const quint16 Flags = Cursor.ReadUInt16();
    Fib.TableStreamOne = (Flags & FlagWhichTableStream) != 0;
    Fib.Encrypted = (Flags & FlagEncrypted) != 0;
    Fib.Obfuscated = (Flags & FlagObfuscated) != 0;
    Cursor.Skip(2);
    Fib.EncryptionHeaderSize = Cursor.ReadUInt32();
    if (HeaderOnly)
        return Fib;

    Cursor.Seek(0x20);
    Cursor.Skip(qsizetype(Cursor.ReadUInt16()) * 2); // FibRgW97
    const quint16 LongCount = Cursor.ReadUInt16();
    if (LongCount <= TextLengthIndex)
        throw EMalformedData(QStringLiteral("文档信息块太短"));
    const qsizetype Longs = Cursor.Position();
    Cursor.Skip(qsizetype(LongCount) * 4);
    const quint16 PairCount = Cursor.ReadUInt16();
    if (PairCount <= PieceTableIndex)
        throw EMalformedData(QStringLiteral("文档信息块太短"));
    const qsizetype Pairs = Cursor.Position();
    Cursor.Skip(qsizetype(PairCount) * 8);

    Cursor.Seek(Longs + TextLengthIndex * 4);
    Fib.TextLength = Cursor.ReadUInt32();
    const auto Location = [&](int Index) {
        Cursor.Seek(Pairs + Index * 8);
        TLocation Result;
        Result.Offset = Cursor.ReadUInt32();
        Result.Size = Cursor.ReadUInt32();
        return Result;
    };
    Fib.PieceTable = Location(PieceTableIndex);
    Fib.ParagraphFormatPages = Location(ParagraphFormatPagesIndex);
    return Fib;
}

#include "WordStreamParser.h"

#include "ByteCursor.h"
#include "CodePageDecoder.h"
#include "DocumentError.h"
#include "EncryptionError.h"
#include "PasswordError.h"
#include "Rc4CryptoApiKey.h"
#include "Rc4Key.h"
#include "UnsupportedEncryptionError.h"
#include "UnsupportedFormatError.h"
#include "WordCodePage.h"
#include "WordFib.h"
#include "WordParagraphFormats.h"
#include "WordParagraphs.h"
#include "WordPieceTable.h"

#include <algorithm>
#include <optional>

namespace
{
constexpr qint64 EncryptionBlockSize = 512;

template <class TKey>
void Decrypt(const TKey& Key, QByteArray& WordDocument, QByteArray& Table, qsizetype HeaderSize)
{
    Key.Apply(WordDocument.data() + TWordFib::PlainSize, WordDocument.size() - TWordFib::PlainSize,
        TWordFib::PlainSize, EncryptionBlockSize);
    Key.Apply(Table.data() + HeaderSize, Table.size() - HeaderSize, HeaderSize, EncryptionBlockSize);
}

template <class TKey>
void DecryptWith(const QByteArray& Info, const QString& Password, const QString& FileName, QByteArray& WordDocument,
    QByteArray& Table)
{
    const std::optional<TKey> Key = TKey::Derive(Info, Password);
    if (!Key)
        throw Password.isEmpty() ? TPasswordError::Missing(FileName) : TPasswordError::Wrong(FileName);
    Decrypt(*Key, WordDocument, Table, Info.size());
}

void DecryptStreams(const TWordFib& Header, const QString& Password, const QString& FileName,
    QByteArray& WordDocument, QByteArray& Table)
{
    if (Header.Obfuscated)
        throw EUnsupportedEncryption(QStringLiteral("不支持 XOR 混淆加密"));
    if (WordDocument.size() < TWordFib::PlainSize || Header.EncryptionHeaderSize < 4
        || Header.EncryptionHeaderSize > quint32(Table.size()))
        throw TEncryptionError::HeaderSize(Header.EncryptionHeaderSize);
    const QByteArray Info = Table.first(Header.EncryptionHeaderSize);
    TByteCursor Cursor(Info);
    const quint16 Major = Cursor.ReadUInt16();
    const quint16 Minor = Cursor.ReadUInt16();
    if (Major == 1 && Minor == 1)
        DecryptWith<TRc4Key>(Info, Password, FileName, WordDocument, Table);
    else if (Major >= 2 && Major <= 4 && Minor == 2)
        DecryptWith<TRc4CryptoApiKey>(Info, Password, FileName, WordDocument, Table);
    else
        throw TEncryptionError::UnknownVersion(Major, Minor);
}

QByteArrayView Slice(const QByteArray& Stream, const TWordFib::TLocation& Location, const QString& What)
{
    if (Location.Offset > quint64(Stream.size()) || Location.Size > quint64(Stream.size()) - Location.Offset)
        throw EMalformedData(QStringLiteral("%1超出了表格流").arg(What));
    return QByteArrayView(Stream).sliced(Location.Offset, Location.Size);
}

// Where the paragraph and cell marks of a decoded text lie in the undecoded one. In a
// double-byte code page a character may take two positions; the marks are single bytes in
// every code page, so the n-th mark of the text is the n-th mark among the bytes.
class TMarkPositions
{
public:
    // Text that has one character per position.
    TMarkPositions() = default;

    TMarkPositions(const QString& Text, QByteArrayView Bytes)
        : FIdentity(Bytes.size() == Text.size())
    {
        if (FIdentity)
            return;
        const auto IsMark = [](char16_t Char) { return Char == 0x07 || Char == 0x0D; };
        for (qsizetype I = 0; I < Bytes.size(); ++I)
            if (IsMark(static_cast<quint8>(Bytes[I])))
                FBytes.append(I);
        for (qsizetype I = 0; I < Text.size(); ++I)
            if (IsMark(Text[I].unicode()))
                FCharacters.append(I);
        // A converter that swallowed a mark would shift every later one.
        if (FBytes.size() != FCharacters.size())
            FCharacters.clear();
    }

    // The position of the mark at Index of the text, or -1 when none is known.
    qint64 Position(qint64 Index) const
    {
        if (FIdentity)
            return Index;
        const auto Found = std::lower_bound(FCharacters.cbegin(), FCharacters.cend(), Index);
        return Found != FCharacters.cend() && *Found == Index ? FBytes[Found - FCharacters.cbegin()] : -1;
    }

private:
    bool FIdentity = true;
    QList<qint64> FBytes;
    QList<qint64> FCharacters;
};

QStringList Word97Lines(const TWordFib& Fib, const QByteArray& WordDocument, const QByteArray& Table)
{
    const TWordPieceTable Pieces(Slice(Table, Fib.PieceTable, QStringLiteral("片段表")));
    const QString Text = Pieces.Text(WordDocument, Fib.TextLength);
    if (!Text.contains(QChar(0x07)))
        return TWordParagraphs::Split(Text, {});
    const TWordParagraphFormats Formats(
        WordDocument, Slice(Table, Fib.ParagraphFormatPages, QStringLiteral("段落格式索引")));
    return TWordParagraphs::Split(
        Text, [&](qint64 Position) { return Formats.IsRowEnd(Pieces.StreamOffset(Position)); });
}

// Word 6.0 and Word 95 keep the piece table and the formatting index in WordDocument. A
// fast-saved document without a piece table is read as one saved in full, as Word does.
QStringList Word6Lines(const TWordFib& Fib, const QByteArray& WordDocument)
{
    const TWordPieceTable Pieces = Fib.Complex && Fib.PieceTable.Size > 0
        ? TWordPieceTable::Word6(Slice(WordDocument, Fib.PieceTable, QStringLiteral("片段表")), Fib.WideText)
        : TWordPieceTable::SingleRun(Fib.TextStart, Fib.TextLength, Fib.WideText);
    QByteArray Bytes;
    QString Text;
    if (Fib.WideText)
        Text = Pieces.Text(WordDocument, Fib.TextLength);
    else
    {
        Bytes = Pieces.Bytes(WordDocument, Fib.TextLength);
        Text = TCodePageDecoder(TWordCodePage::Of(Fib.CharacterSet, Fib.Language)).Decode(Bytes);
    }
    if (!Text.contains(QChar(0x07)))
        return TWordParagraphs::Split(Text, {});
    const TWordParagraphFormats Formats(WordDocument,
        Slice(WordDocument, Fib.ParagraphFormatPages, QStringLiteral("段落格式索引")), true,
        Fib.Complex ? 0 : Fib.ParagraphPageCount);
    const TMarkPositions Marks = Fib.WideText ? TMarkPositions() : TMarkPositions(Text, Bytes);
    return TWordParagraphs::Split(Text, [&](qint64 Index) {
        const qint64 Position = Marks.Position(Index);
        return Position >= 0 && Formats.IsRowEnd(Pieces.StreamOffset(Position));
    });
}

EDocument Damaged(const QString& FileName, const EMalformedData& Error)
{
    return EDocument(QStringLiteral("无法读取 Word 文档 '%1'：文件已损坏（%2）。").arg(FileName, Error.Message()));
}
EDocument Unsupported(const QString& FileName, const EUnsupportedFormat& Error)
{
    return EDocument(QStringLiteral("无法读取 Word 文档 '%1'：%2。").arg(FileName, Error.Message()));
}
} // namespace

QString TWordStreamParser::TableStreamName(const QByteArray& WordDocument, const QString& FileName)
{
    try
    {
        const TWordFib Header = TWordFib::Read(WordDocument, true);
        if (Header.Word6)
            return QString();
        return Header.TableStreamOne ? QStringLiteral("1Table") : QStringLiteral("0Table");
    }
    catch (const EUnsupportedFormat& Error)
    {
        throw Unsupported(FileName, Error);
    }
    catch (const EMalformedData& Error)
    {
        throw Damaged(FileName, Error);
    }
}

QStringList TWordStreamParser::Parse(
    QByteArray WordDocument, QByteArray Table, const QString& Password, const QString& FileName)
{
    try
    {
        const TWordFib Header = TWordFib::Read(WordDocument, true);
        if (Header.Encrypted && Header.Word6)
            throw EUnsupportedEncryption(QStringLiteral("不支持 Word 6.0 和 Word 95 的 XOR 混淆加密"));
        if (Header.Encrypted)
            DecryptStreams(Header, Password, FileName, WordDocument, Table);
        const TWordFib Fib = TWordFib::Read(WordDocument);
        return Fib.Word6 ? Word6Lines(Fib, WordDocument) : Word97Lines(Fib, WordDocument, Table);
    }
    catch (const EUnsupportedEncryption& Error)
    {
        throw EDocument(
            QStringLiteral("无法打开 Word 文档 '%1'：它的加密方式不受支持（%2）。").arg(FileName, Error.Message()));
    }
    catch (const EUnsupportedFormat& Error)
    {
        throw Unsupported(FileName, Error);
    }
    catch (const EMalformedData& Error)
    {
        throw Damaged(FileName, Error);
    }
}

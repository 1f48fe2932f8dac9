#include "WordStreamParser.h"

#include "ByteCursor.h"
#include "DocumentError.h"
#include "EncryptionError.h"
#include "PasswordError.h"
#include "Rc4CryptoApiKey.h"
#include "Rc4Key.h"
#include "UnsupportedEncryptionError.h"
#include "UnsupportedFormatError.h"
#include "WordCharacterFormats.h"
#include "WordCodePage.h"
#include "WordFib.h"
#include "WordMainText.h"
#include "WordParagraphFormats.h"
#include "WordParagraphs.h"
#include "WordPieceTable.h"
#include "WordRunCodePages.h"

#include <algorithm>
#include <functional>
#include <limits>
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

bool Holds(const QByteArray& Stream, const TWordFib::TLocation& Location)
{
    return Location.Offset <= quint64(Stream.size()) && Location.Size <= quint64(Stream.size()) - Location.Offset;
}

QByteArrayView Slice(const QByteArray& Stream, const TWordFib::TLocation& Location, const QString& What)
{
    if (!Holds(Stream, Location))
        throw EMalformedData(QStringLiteral("%1超出了表格流").arg(What));
    return QByteArrayView(Stream).sliced(Location.Offset, Location.Size);
}

// The parts that only refine the text read: without them (or where their place is
// damaged) the text is read as it would be in a document without formatting.
QByteArrayView OptionalSlice(const QByteArray& Stream, const TWordFib::TLocation& Location)
{
    return Holds(Stream, Location) ? QByteArrayView(Stream).sliced(Location.Offset, Location.Size) : QByteArrayView();
}

// The lines of the text; the paragraph formats, which tell row ends from cell ends, are
// only read when the text has cells.
QStringList Lines(
    const TWordMainText& Main, const TWordPieceTable& Pieces, const std::function<TWordParagraphFormats()>& Formats)
{
    if (!Main.Text().contains(QChar(0x07)))
        return TWordParagraphs::Split(Main.Text(), {});
    const TWordParagraphFormats Paragraphs = Formats();
    return TWordParagraphs::Split(Main.Text(), [&](qint64 Index) {
        const qint64 Position = Main.Position(Index);
        return Position >= 0 && Paragraphs.IsRowEnd(Pieces.StreamOffset(Position));
    });
}

QStringList Word97Lines(const TWordFib& Fib, const QByteArray& WordDocument, const QByteArray& Table)
{
    const TWordPieceTable Pieces(Slice(Table, Fib.PieceTable, QStringLiteral("片段表")));
    const TWordCharacterFormats Characters(WordDocument, OptionalSlice(Table, Fib.CharacterFormatPages));
    const TWordMainText Main(Pieces, WordDocument, Fib.TextLength, Characters, false);
    return Lines(Main, Pieces, [&] {
        return TWordParagraphFormats(WordDocument, Slice(Table, Fib.ParagraphFormatPages, QStringLiteral("段落格式索引")));
    });
}

// The paragraph style of each paragraph of 8-bit text, by the position of its mark.
class TParagraphStyles
{
public:
    TParagraphStyles(const TWordPieceTable& Pieces, const QByteArray& WordDocument, qint64 Length,
        const TWordParagraphFormats& Formats)
    {
        const QByteArray Bytes = Pieces.Bytes(WordDocument, Length);
        for (qsizetype I = 0; I < Bytes.size(); ++I)
            if (Bytes[I] == 0x0D || Bytes[I] == 0x07 || Bytes[I] == 0x0C)
            {
                FMarks.append(I);
                FStyles.append(Formats.Style(Pieces.StreamOffset(I)));
            }
    }

    // The style of the paragraph that holds Position, and in Until the position after its mark.
    quint16 At(qint64 Position, qint64& Until) const
    {
        const auto Mark = std::lower_bound(FMarks.cbegin(), FMarks.cend(), Position);
        if (Mark == FMarks.cend())
        {
            Until = std::numeric_limits<qint64>::max();
            return 0;
        }
        Until = *Mark + 1;
        return FStyles[Mark - FMarks.cbegin()];
    }

private:
    QList<qint64> FMarks;
    QList<quint16> FStyles;
};

// Word 6.0 and Word 95 keep the piece table and the formatting index in WordDocument. A
// fast-saved document without a piece table is read as one saved in full, as Word does.
QStringList Word6Lines(const TWordFib& Fib, const QByteArray& WordDocument)
{
    const TWordPieceTable Pieces = Fib.Complex && Fib.PieceTable.Size > 0
        ? TWordPieceTable::Word6(Slice(WordDocument, Fib.PieceTable, QStringLiteral("片段表")), Fib.WideText)
        : TWordPieceTable::SingleRun(Fib.TextStart, Fib.TextLength, Fib.WideText);
    // A document saved in full may list fewer formatting pages than it has.
    const auto ParagraphFormats = [&] {
        return TWordParagraphFormats(WordDocument,
            Slice(WordDocument, Fib.ParagraphFormatPages, QStringLiteral("段落格式索引")), true,
            Fib.Complex ? 0 : Fib.ParagraphPageCount);
    };
    const TWordCharacterFormats Characters(WordDocument, OptionalSlice(WordDocument, Fib.CharacterFormatPages), true,
        Fib.Complex ? 0 : Fib.CharacterPageCount);
    const TWordRunCodePages CodePages(TWordCodePage::Of(Fib.CharacterSet, Fib.Language),
        OptionalSlice(WordDocument, Fib.FontTable), OptionalSlice(WordDocument, Fib.StyleSheet));

    std::optional<TParagraphStyles> Styles;
    if (CodePages.DependsOnParagraphStyle() && !Fib.WideText)
    {
        // The styles only choose code pages: damaged paragraph formatting leaves every
        // paragraph in the normal style.
        try
        {
            Styles.emplace(Pieces, WordDocument, Fib.TextLength, ParagraphFormats());
        }
        catch (const EMalformedData&)
        {
        }
    }
    const TWordMainText Main(Pieces, WordDocument, Fib.TextLength, Characters, true,
        [&](const TWordCharacterProperties& Run, qint64 Position, qint64& Until) {
            Until = std::numeric_limits<qint64>::max();
            return CodePages.Of(Run, Styles ? Styles->At(Position, Until) : 0);
        });
    return Lines(Main, Pieces, ParagraphFormats);
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

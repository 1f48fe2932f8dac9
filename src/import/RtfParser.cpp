#include "RtfParser.h"

#include "DocumentError.h"
#include "DocumentReader.h"
#include "RtfKeyword.h"
#include "RtfParagraphs.h"
#include "UnsupportedFormatError.h"
#include "WindowsCharacterSet.h"

#include <QHash>

#include <algorithm>
#include <array>
#include <optional>
#include <utility>
#include <vector>

namespace
{
using TAction = TRtfKeyword::TAction;

// Groups nested deeper than any writer nests them share the state of the deepest one
// kept, so that a file of braces cannot fill the memory with states.
constexpr qsizetype MaximumDepth = qsizetype(1) << 16;
// More fonts than a document's table holds; further ones are read in the document's
// code page, so that a forged table cannot fill the memory.
constexpr qsizetype MaximumFonts = qsizetype(1) << 15;
constexpr quint16 AnsiCodePage = 1252;

enum class TDestination : quint8
{
    Body,
    FontTable,
    AlternateText
};

// The state that a group keeps and its end restores.
struct TGroup
{
    // Word gives low ASCII, high 8-bit and double-byte characters fonts of their own
    // (\loch, \hich, \dbch) and writes East Asian text after the last of them with the
    // double-byte font, which may be all that says how its bytes are to be read.
    std::array<qint32, 3> Fonts{-1, -1, -1};
    quint8 Kind = 0;
    bool RightToLeft = false;
    qint32 UnicodeSkip = 1;
    TDestination Destination = TDestination::Body;
    bool Hidden = false;
    bool Deleted = false;

    qint32 Font() const noexcept { return Fonts[Kind]; }
};

struct TFont
{
    std::optional<quint16> CodePage;         // \cpg
    std::optional<quint16> CharacterSetPage; // \fcharset
};

bool IsLetter(char C) noexcept
{
    return (C >= 'a' && C <= 'z') || (C >= 'A' && C <= 'Z');
}

bool IsDigit(char C) noexcept
{
    return C >= '0' && C <= '9';
}

int HexDigit(char C) noexcept
{
    if (IsDigit(C))
        return C - '0';
    if (C >= 'a' && C <= 'f')
        return C - 'a' + 10;
    if (C >= 'A' && C <= 'F')
        return C - 'A' + 10;
    return -1;
}

class TReader
{
public:
    explicit TReader(QByteArrayView Content)
        : FContent(Content)
        , FGroups(1)
    {
    }

    QStringList Read(const QString& FileName)
    {
        while (FPosition < FContent.size() && !FDone)
        {
            if (FSkipDepth > 0)
                SkippedToken();
            else
                Token();
            if (FParagraphs.Count() > TDocumentReader::MaximumLines)
                throw TDocumentReader::TooManyLines(FileName);
        }
        return FParagraphs.Finish();
    }

private:
    struct TControlWord
    {
        QByteArrayView Word;
        std::optional<qint32> Parameter;
    };

    TGroup& Group() noexcept { return FGroups.back(); }

    bool Visible() const noexcept
    {
        const TGroup& Current = FGroups.back();
        return Current.Destination == TDestination::Body && !Current.Hidden && !Current.Deleted;
    }

    void Token()
    {
        switch (FContent[FPosition])
        {
        case '{':
            ++FPosition;
            OpenGroup();
            break;
        case '}':
            ++FPosition;
            CloseGroup();
            break;
        case '\\':
            ++FPosition;
            if (FPosition < FContent.size() && IsLetter(FContent[FPosition]))
                Keyword(ReadControlWord());
            else if (FPosition < FContent.size())
                Symbol(FContent[FPosition++]);
            break;
        case '\r':
        case '\n':
            ++FPosition; // line breaks of the file are no text
            break;
        default:
            TextRun();
            break;
        }
    }

    // Inside a destination that is passed over only its end matters, and binary data
    // that might hold braces.
    void SkippedToken()
    {
        const char C = FContent[FPosition++];
        if (C == '{')
            ++FSkipDepth;
        else if (C == '}')
        {
            if (--FSkipDepth == 0)
                CloseGroup();
        }
        else if (C == '\\' && FPosition < FContent.size())
        {
            if (!IsLetter(FContent[FPosition]))
                ++FPosition; // an escaped brace or backslash
            else if (const TControlWord Control = ReadControlWord(); Control.Word == "bin")
                SkipBinary(Control.Parameter);
        }
    }

    TControlWord ReadControlWord()
    {
        TControlWord Control;
        const qsizetype Start = FPosition;
        while (FPosition < FContent.size() && IsLetter(FContent[FPosition]))
            ++FPosition;
        Control.Word = FContent.sliced(Start, FPosition - Start);
        const bool Negative = FPosition + 1 < FContent.size() && FContent[FPosition] == '-' && IsDigit(FContent[FPosition + 1]);
        if (Negative)
            ++FPosition;
        if (FPosition < FContent.size() && IsDigit(FContent[FPosition]))
        {
            qint64 Value = 0;
            for (; FPosition < FContent.size() && IsDigit(FContent[FPosition]); ++FPosition)
                Value = std::min<qint64>(Value * 10 + (FContent[FPosition] - '0'), qint64(1) << 32);
            Control.Parameter = qint32(std::clamp<qint64>(Negative ? -Value : Value, INT32_MIN, INT32_MAX));
        }
        // A blank ends the word and is part of it.
        if (FPosition < FContent.size() && FContent[FPosition] == ' ')
            ++FPosition;
        return Control;
    }

    void OpenGroup()
    {
        FStarred = false;
        FFallback = 0;
        if (FGroups.size() < MaximumDepth)
            FGroups.push_back(FGroups.back());
        else
            ++FOverflow;
    }

    void CloseGroup()
    {
        FStarred = false;
        FFallback = 0;
        if (FOverflow > 0)
        {
            --FOverflow;
            return;
        }
        if (FGroups.size() > 1)
            FGroups.pop_back();
        // The document's own group has ended; what follows it is no part of it.
        if (FGroups.size() == 1)
            FDone = true;
    }

    void TextRun()
    {
        qsizetype End = FPosition;
        while (End < FContent.size())
        {
            const char C = FContent[End];
            if (C == '{' || C == '}' || C == '\\' || C == '\r' || C == '\n')
                break;
            ++End;
        }
        FStarred = false;
        qsizetype Start = FPosition;
        FPosition = End;
        const qsizetype Skipped = std::min<qsizetype>(FFallback, End - Start);
        FFallback -= qint32(Skipped);
        Start += Skipped;
        if (Start < End && Visible())
            FParagraphs.AppendBytes(FContent.sliced(Start, End - Start), CodePage());
    }

    void TextByte(char Byte)
    {
        if (Visible())
            FParagraphs.AppendBytes(QByteArrayView(&Byte, 1), CodePage());
    }

    void Symbol(char C)
    {
        const bool Starred = std::exchange(FStarred, false);
        if (C == '*' && !Starred)
        {
            FStarred = true;
            return;
        }
        // A control symbol standing in for a Unicode character counts as one character.
        const bool StandIn = FFallback > 0;
        if (StandIn)
            --FFallback;
        switch (C)
        {
        case '\'':
        {
            const int High = FPosition < FContent.size() ? HexDigit(FContent[FPosition]) : -1;
            const int Low = FPosition + 1 < FContent.size() ? HexDigit(FContent[FPosition + 1]) : -1;
            if (High < 0 || Low < 0)
                break;
            FPosition += 2;
            if (!StandIn)
                TextByte(char(High << 4 | Low));
            break;
        }
        case '\\':
        case '{':
        case '}':
            if (!StandIn)
                TextByte(C);
            break;
        case '~':
            if (!StandIn)
                Act({TAction::Character, 0x00A0}, std::nullopt);
            break;
        case '_': // a non-breaking hyphen
            if (!StandIn)
                Act({TAction::Character, u'-'}, std::nullopt);
            break;
        case '\r':
        case '\n':
            if (!StandIn)
                Act({TAction::Paragraph, 0}, std::nullopt);
            break;
        default: // optional hyphens, index and formula marks
            break;
        }
    }

    void Keyword(const TControlWord& Control)
    {
        const TRtfKeyword Keyword = TRtfKeyword::Find(Control.Word);
        const bool Starred = std::exchange(FStarred, false);
        if (FFallback > 0)
        {
            // It stands in for the Unicode character before it and does nothing.
            --FFallback;
            if (Keyword.Action == TAction::Binary)
                SkipBinary(Control.Parameter);
            return;
        }
        // "\*" marks a destination that a reader which does not know it passes over.
        if (Starred && Keyword.Action != TAction::UnicodeText)
        {
            FSkipDepth = 1;
            return;
        }
        Act(Keyword, Control.Parameter);
    }

    void Act(const TRtfKeyword& Keyword, std::optional<qint32> Parameter)
    {
        TGroup& Current = Group();
        switch (Keyword.Action)
        {
        case TAction::None:
            break;
        case TAction::Skip:
            FSkipDepth = 1;
            break;
        case TAction::FontTable:
            Current.Destination = TDestination::FontTable;
            break;
        case TAction::AlternateText:
            Current.Destination = TDestination::AlternateText;
            break;
        case TAction::UnicodeText:
            Current.Destination = TDestination::Body;
            break;
        case TAction::Binary:
            SkipBinary(Parameter);
            break;
        case TAction::CodePage:
            if (Parameter && *Parameter > 0 && *Parameter <= 0xFFFF)
                FDocumentCodePage = quint16(*Parameter);
            break;
        case TAction::FixedCodePage:
            FDocumentCodePage = Keyword.Value;
            break;
        case TAction::DefaultFont:
            FDefaultFont = Parameter.value_or(0);
            Current.Fonts.fill(FDefaultFont);
            break;
        case TAction::Font:
            if (Current.Destination == TDestination::FontTable)
                FFontDefined = Parameter.value_or(0);
            else
                Current.Fonts[Current.Kind] = Parameter.value_or(0);
            break;
        case TAction::AssociatedFont:
            if (Current.Destination != TDestination::FontTable && !Current.RightToLeft)
                Current.Fonts[Current.Kind] = Parameter.value_or(0);
            break;
        case TAction::CharacterKind:
            Current.Kind = quint8(Keyword.Value);
            break;
        case TAction::RightToLeft:
            Current.RightToLeft = Keyword.Value != 0;
            break;
        case TAction::CharacterSet:
            if (TFont* Font = DefinedFont())
            {
                const quint16 CodePage = TWindowsCharacterSet::CodePage(quint16(std::clamp(Parameter.value_or(0), 0, 0xFFFF)));
                Font->CharacterSetPage = CodePage != 0 ? std::optional<quint16>(CodePage) : std::nullopt;
            }
            break;
        case TAction::FontCodePage:
            if (TFont* Font = DefinedFont(); Font && Parameter && *Parameter > 0 && *Parameter <= 0xFFFF)
                Font->CodePage = quint16(*Parameter);
            break;
        case TAction::UnicodeSkip:
            Current.UnicodeSkip = std::max(0, Parameter.value_or(1));
            break;
        case TAction::Hidden:
            Current.Hidden = Parameter.value_or(1) != 0;
            break;
        case TAction::Deleted:
            Current.Deleted = Parameter.value_or(1) != 0;
            break;
        case TAction::Plain:
            Current.Fonts.fill(FDefaultFont);
            Current.Kind = 0;
            Current.RightToLeft = false;
            Current.Hidden = false;
            Current.Deleted = false;
            break;
        case TAction::Unicode:
            if (Visible())
                FParagraphs.Append(UnicodeCharacter(Parameter.value_or(0)));
            FFallback = Current.UnicodeSkip;
            break;
        case TAction::Character:
            if (Visible())
                FParagraphs.Append(Keyword.Value);
            break;
        case TAction::Paragraph:
        case TAction::Cell:
        case TAction::Row:
        case TAction::Break:
            if (Current.Destination == TDestination::Body)
                EndOfText(Keyword.Action, Current.Deleted);
            break;
        }
    }

    void EndOfText(TAction Action, bool Deleted)
    {
        switch (Action)
        {
        case TAction::Paragraph:
            // A deleted paragraph mark joins its paragraph to the next one.
            if (!Deleted)
                FParagraphs.EndParagraph();
            break;
        case TAction::Cell:
            FParagraphs.EndCell();
            break;
        case TAction::Row:
            FParagraphs.EndRow();
            break;
        default:
            if (!Deleted)
                FParagraphs.Break();
            break;
        }
    }

    // \uN gives the UTF-16 unit N, written as a signed 16-bit number.
    static char32_t UnicodeCharacter(qint32 Parameter) noexcept
    {
        const qint64 Code = Parameter < 0 ? qint64(Parameter) + 0x10000 : Parameter;
        return Code < 0 || Code > 0x10FFFF ? char32_t(0xFFFD) : char32_t(Code);
    }

    void SkipBinary(std::optional<qint32> Length) noexcept
    {
        FPosition += std::clamp<qsizetype>(Length.value_or(0), 0, FContent.size() - FPosition);
    }

    TFont* DefinedFont()
    {
        if (Group().Destination != TDestination::FontTable)
            return nullptr;
        if (FFonts.size() >= MaximumFonts && !FFonts.contains(FFontDefined))
            return nullptr;
        return &FFonts[FFontDefined];
    }

    // The code page of the text that follows: its font's, else the document's.
    quint16 CodePage() const
    {
        if (const auto Found = FFonts.constFind(FGroups.back().Font()); Found != FFonts.cend())
        {
            if (Found->CodePage)
                return *Found->CodePage;
            if (Found->CharacterSetPage)
                return *Found->CharacterSetPage;
        }
        return FDocumentCodePage;
    }

    const QByteArrayView FContent;
    qsizetype FPosition = 0;
    std::vector<TGroup> FGroups; // the state outside all groups, then one per open group
    qsizetype FOverflow = 0;     // groups open beyond MaximumDepth
    qsizetype FSkipDepth = 0;    // groups open in the destination passed over
    bool FStarred = false;
    bool FDone = false;
    qint32 FFallback = 0; // characters still to pass over after a Unicode character
    quint16 FDocumentCodePage = AnsiCodePage;
    qint32 FDefaultFont = -1;
    qint32 FFontDefined = 0;
    QHash<qint32, TFont> FFonts;
    TRtfParagraphs FParagraphs;
};
} // namespace

QStringList TRtfParser::Parse(const QByteArray& Content, const QString& FileName)
{
    try
    {
        return TReader(Content).Read(FileName);
    }
    catch (const EUnsupportedFormat& Error)
    {
        throw EDocument(QStringLiteral("无法读取 RTF 文档 '%1'：%2。").arg(FileName, Error.Message()));
    }
}

#include "HtmlLine.h"

#include <unicode/uchar.h>
#include <unicode/uscript.h>
#include <unicode/utf8.h>

#include <algorithm>

namespace
{
bool IsSpace(char C) noexcept
{
    return C == ' ' || C == '\t' || C == '\n' || C == '\r' || C == '\f';
}

// Full-width, wide and half-width characters other than Hangul, between which a line
// break of the markup is no space.
bool IsWide(UChar32 C) noexcept
{
    if (C < 0x1100)
        return false;
    const auto Width = UEastAsianWidth(u_getIntPropertyValue(C, UCHAR_EAST_ASIAN_WIDTH));
    if (Width != U_EA_FULLWIDTH && Width != U_EA_WIDE && Width != U_EA_HALFWIDTH)
        return false;
    UErrorCode Error = U_ZERO_ERROR;
    return uscript_getScript(C, &Error) != USCRIPT_HANGUL;
}

UChar32 LastCharacter(const QByteArray& Text) noexcept
{
    const qsizetype Start = std::max<qsizetype>(0, Text.size() - 4);
    const auto* Tail = reinterpret_cast<const uint8_t*>(Text.constData() + Start);
    int32_t Offset = int32_t(Text.size() - Start);
    UChar32 C = 0;
    U8_PREV(Tail, 0, Offset, C);
    return C;
}

UChar32 FirstCharacter(QByteArrayView Text) noexcept
{
    const auto* Head = reinterpret_cast<const uint8_t*>(Text.data());
    const auto Length = int32_t(std::min<qsizetype>(Text.size(), 4));
    int32_t Offset = 0;
    UChar32 C = 0;
    U8_NEXT(Head, Offset, Length, C);
    return C;
}
} // namespace

void THtmlLine::Append(QByteArrayView Utf8, bool Preformatted)
{
    if (Preformatted)
    {
        FText += Utf8;
        FPendingSpace = FPendingSegmentBreak = false;
        return;
    }
    qsizetype Start = 0;
    const qsizetype Size = Utf8.size();
    while (Start < Size)
    {
        qsizetype End = Start;
        while (End < Size && !IsSpace(Utf8[End]))
            ++End;
        if (End > Start)
        {
            const QByteArrayView Word = Utf8.sliced(Start, End - Start);
            if (FPendingSpace && !FText.isEmpty() && !FText.endsWith('\n')
                && !(FPendingSegmentBreak && IsWide(LastCharacter(FText)) && IsWide(FirstCharacter(Word))))
                FText += ' ';
            FPendingSpace = FPendingSegmentBreak = false;
            FText += Word;
        }
        for (; End < Size && IsSpace(Utf8[End]); ++End)
        {
            FPendingSpace = true;
            FPendingSegmentBreak = FPendingSegmentBreak || Utf8[End] == '\n' || Utf8[End] == '\r';
        }
        Start = End;
    }
}

void THtmlLine::AppendBreak()
{
    FText += '\n';
    FPendingSpace = FPendingSegmentBreak = false;
}

void THtmlLine::EndBlock()
{
    if (!FText.isEmpty() && !FText.endsWith('\n'))
        AppendBreak();
}

QString THtmlLine::Take()
{
    const QString Line = QString::fromUtf8(FText);
    FText.truncate(0);
    FPendingSpace = FPendingSegmentBreak = false;
    return Line;
}

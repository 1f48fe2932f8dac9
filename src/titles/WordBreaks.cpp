#include "WordBreaks.h"

#include <unicode/brkiter.h>
#include <unicode/uchar.h>
#include <unicode/uscript.h>
#include <unicode/utext.h>

#include "model/Error.h"

#include <limits>
#include <memory>

namespace
{
bool IsEastAsian(UChar32 CodePoint)
{
    // Every ideograph, kana, CJK symbol and full-width form lies at or above the CJK
    // radicals; the cheap test keeps Latin text away from the property lookups.
    if (CodePoint < 0x2E80)
        return false;
    return u_hasBinaryProperty(CodePoint, UCHAR_IDEOGRAPHIC) || uscript_hasScript(CodePoint, USCRIPT_HAN)
        || uscript_hasScript(CodePoint, USCRIPT_HIRAGANA) || uscript_hasScript(CodePoint, USCRIPT_KATAKANA)
        || ublock_getCode(CodePoint) == UBLOCK_CJK_SYMBOLS_AND_PUNCTUATION
        || u_getIntPropertyValue(CodePoint, UCHAR_EAST_ASIAN_WIDTH) == U_EA_FULLWIDTH;
}

UChar32 CodePointBefore(QStringView Word, qsizetype Offset)
{
    const char16_t Last = Word[Offset - 1].unicode();
    if (QChar::isLowSurrogate(Last) && Offset >= 2 && Word[Offset - 2].isHighSurrogate())
        return QChar::surrogateToUcs4(Word[Offset - 2].unicode(), Last);
    return Last;
}

UChar32 CodePointAt(QStringView Word, qsizetype Offset)
{
    const char16_t First = Word[Offset].unicode();
    if (QChar::isHighSurrogate(First) && Offset + 1 < Word.size() && Word[Offset + 1].isLowSurrogate())
        return QChar::surrogateToUcs4(First, Word[Offset + 1].unicode());
    return First;
}

bool HasEastAsian(QStringView Word)
{
    for (qsizetype i = 0; i < Word.size(); ++i) {
        if (Word[i].unicode() < 0x2E80)
            continue;
        const UChar32 CodePoint = CodePointAt(Word, i);
        if (IsEastAsian(CodePoint))
            return true;
        if (CodePoint > 0xFFFF)
            ++i;
    }
    return false;
}

// A line break iterator for the calling thread: making one loads and compiles the rules,
// far too slow for every word.
icu::BreakIterator& ThreadIterator()
{
    thread_local const std::unique_ptr<icu::BreakIterator> Iterator = [] {
        UErrorCode Status = U_ZERO_ERROR;
        std::unique_ptr<icu::BreakIterator> Made(
            icu::BreakIterator::createLineInstance(icu::Locale::getRoot(), Status));
        if (U_FAILURE(Status) || !Made)
            throw EError(QStringLiteral("无法载入 Unicode 的换行规则（ICU）：%1").arg(QLatin1String(u_errorName(Status))));
        return Made;
    }();
    return *Iterator;
}

// A UText over a word, on the stack rather than the heap, closed on every path.
class TWordText
{
public:
    explicit TWordText(QStringView Word, UErrorCode& Status)
    {
        utext_openUChars(&FText, reinterpret_cast<const UChar*>(Word.utf16()), int64_t(Word.size()), &Status);
    }
    ~TWordText() { utext_close(&FText); }
    TWordText(const TWordText&) = delete;
    TWordText& operator=(const TWordText&) = delete;

    UText* Get() { return &FText; }

private:
    UText FText = UTEXT_INITIALIZER;
};

void Check(UErrorCode Status)
{
    if (U_FAILURE(Status))
        throw EError(QStringLiteral("无法按 Unicode 的换行规则分析字幕文本（ICU）：%1").arg(QLatin1String(u_errorName(Status))));
}

void AddEastAsianBreak(QStringView Word, qsizetype Offset, TWordBreaks::TOffsets& Offsets)
{
    if (IsEastAsian(CodePointBefore(Word, Offset)) || IsEastAsian(CodePointAt(Word, Offset)))
        Offsets.push_back(Offset);
}

// The soft breaks that ICU's line break iterator finds inside Word's code units Start
// to End, which begin and end at characters of the ideographic class or at Word's ends.
void AddIteratorBreaks(QStringView Word, qsizetype Start, qsizetype End, TWordBreaks::TOffsets& Offsets)
{
    UErrorCode Status = U_ZERO_ERROR;
    TWordText Text(Word.sliced(Start, End - Start), Status);
    Check(Status);
    icu::BreakIterator& Iterator = ThreadIterator();
    // The iterator keeps a shallow copy of Text, pointing at Word, until the next call.
    Iterator.setText(Text.Get(), Status);
    Check(Status);
    for (int32_t Offset = Iterator.next(); Offset != icu::BreakIterator::DONE && Offset < End - Start;
         Offset = Iterator.next()) {
        // Mandatory breaks (after a line break the word holds) are the text's own.
        if (Iterator.getRuleStatus() < UBRK_LINE_HARD)
            AddEastAsianBreak(Word, Start + Offset, Offsets);
    }
}
} // namespace

void TWordBreaks::Find(QStringView Word, TOffsets& Offsets)
{
    Offsets.clear();
    if (Word.size() < 2 || Word.size() > std::numeric_limits<int32_t>::max() || !HasEastAsian(Word))
        return;
    // Where each character starts, and whether it is of the ideographic line breaking
    // class, as Chinese characters and most kana are.
    QVarLengthArray<qsizetype, 64> Starts;
    QVarLengthArray<bool, 64> Ideographic;
    for (qsizetype i = 0; i < Word.size(); ++i) {
        const UChar32 CodePoint = CodePointAt(Word, i);
        Starts.push_back(i);
        Ideographic.push_back(u_getIntPropertyValue(CodePoint, UCHAR_LINE_BREAK) == U_LB_IDEOGRAPHIC);
        if (CodePoint > 0xFFFF)
            ++i;
    }
    Starts.push_back(Word.size());
    // No rule of UAX #14 keeps two characters of that class together, and none looks
    // past one of them: the iterator is asked only about each stretch of other
    // characters, with the neighbour of that class on either side.
    const qsizetype Count = Ideographic.size();
    qsizetype Character = 1;
    while (Character < Count) {
        if (Ideographic[Character - 1] && Ideographic[Character]) {
            AddEastAsianBreak(Word, Starts[Character], Offsets);
            ++Character;
            continue;
        }
        // The stretch runs from First to the character before Last (or to the end).
        const qsizetype First = Ideographic[Character - 1] ? Character : Character - 1;
        qsizetype Last = Character;
        while (Last < Count && !Ideographic[Last])
            ++Last;
        const qsizetype From = First > 0 ? First - 1 : 0;
        const qsizetype To = std::min(Last + 1, Count);
        AddIteratorBreaks(Word, Starts[From], Starts[To], Offsets);
        Character = Last + 1;
    }
}

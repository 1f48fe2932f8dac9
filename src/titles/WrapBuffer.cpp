#include "WrapBuffer.h"

#include "FontMeasure.h"
#include "SubtitleText.h"

#include <algorithm>

namespace
{
bool HasBreak(QStringView Text)
{
    for (const QChar Character : Text)
        if (Character == u'\r' || Character == u'\n')
            return true;
    return false;
}

bool HasVisible(QStringView Word)
{
    for (const QChar Character : Word)
        if (Character.unicode() > 32)
            return true;
    return false;
}
} // namespace

TWrapBuffer::TWrapBuffer(TFontMeasure* Measure)
    : FMeasure(Measure)
    , FBlankWidth(Measure != nullptr ? Measure->LineWidth(u" ") : 0)
{
}

bool TWrapBuffer::CanExtend(QStringView Word) const
{
    if (HasBreak(Word))
        return false;
    return Word.isEmpty() || !Word.back().isHighSurrogate() || !FrontChar().isLowSurrogate();
}

qint64 TWrapBuffer::MeasureWithWord(QStringView Word, qint64& WordWidth) const
{
    WordWidth = Width(Word);
    return std::max(WordWidth + FFirst, FRest);
}

void TWrapBuffer::Prepend(QStringView Word, qint64 WordWidth, bool NewLine)
{
    FPieces.push_back({Word, NewLine, HasVisible(Word)});
    if (NewLine) {
        FRest = std::max(FRest, FFirst);
        FFirst = WordWidth;
    } else {
        FFirst = WordWidth + FBlankWidth + FFirst;
    }
}

qint64 TWrapBuffer::MeasureWithWordInFull(QStringView Word) const
{
    qint64 LineCount = 0;
    const QString Combined = Word.toString() + Build();
    return FMeasure != nullptr ? FMeasure->TextWidth(Combined, LineCount) : 0;
}

void TWrapBuffer::PrependInFull(QStringView Word, bool NewLine)
{
    FTail = Word.toString() + (NewLine ? QStringLiteral("\r\n") : QStringLiteral(" ")) + Build();
    FPieces.clear();
    qsizetype FirstEnd = 0;
    while (FirstEnd < FTail.size() && FTail[FirstEnd] != u'\r' && FTail[FirstEnd] != u'\n')
        ++FirstEnd;
    FFirst = Width(QStringView(FTail).first(FirstEnd));
    FRest = 0;
    if (FirstEnd < FTail.size() && FMeasure != nullptr) {
        qsizetype Next = FirstEnd + 1;
        if (FTail[FirstEnd] == u'\r' && Next < FTail.size() && FTail[Next] == u'\n')
            ++Next;
        qint64 LineCount = 0;
        FRest = FMeasure->TextWidth(QStringView(FTail).sliced(Next), LineCount);
    }
}

// While R is made of pieces only, its CR LF pairs are exactly the new-line separators,
// and trimming removes a separator when no character above 32 lies on one side of it.
qint32 TWrapBuffer::TrimmedLineBreaks() const
{
    if (!FTail.isEmpty())
        return TSubtitleText::CountOccurrences(u"\r\n", TSubtitleText::Trim(Build()));
    qsizetype LastVisible = -1; // index into FPieces; the text runs from the back to the front
    for (qsizetype i = 0; i < qsizetype(FPieces.size()) && LastVisible < 0; ++i)
        if (FPieces[i].Visible)
            LastVisible = i;
    qint32 Breaks = 0;
    bool SeenVisible = false;
    for (qsizetype i = qsizetype(FPieces.size()) - 1; i > LastVisible; --i) {
        const TPiece& Piece = FPieces[i];
        SeenVisible = SeenVisible || Piece.Visible;
        if (Piece.NewLine && SeenVisible)
            ++Breaks;
    }
    return Breaks;
}

QString TWrapBuffer::Build() const
{
    qsizetype Size = FTail.size();
    for (const TPiece& Piece : FPieces)
        Size += Piece.Word.size() + (Piece.NewLine ? 2 : 1);
    QString Result;
    Result.reserve(Size);
    for (auto Piece = FPieces.rbegin(); Piece != FPieces.rend(); ++Piece) {
        Result += Piece->Word;
        Result += Piece->NewLine ? QStringView(u"\r\n") : QStringView(u" ");
    }
    Result += FTail;
    return Result;
}

qint64 TWrapBuffer::Width(QStringView Text) const
{
    return FMeasure != nullptr ? FMeasure->LineWidth(Text) : 0;
}

QChar TWrapBuffer::FrontChar() const
{
    if (FPieces.empty())
        return FTail.isEmpty() ? QChar() : FTail.front();
    const TPiece& Front = FPieces.back();
    if (!Front.Word.isEmpty())
        return Front.Word.front();
    return Front.NewLine ? QChar(u'\r') : QChar(u' ');
}

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

QStringView Separator(bool NewLine, bool Glued)
{
    if (NewLine)
        return u"\r\n";
    return Glued ? QStringView() : QStringView(u" ");
}

} // namespace

TWrapBuffer::TWrapBuffer(TFontMeasure* Measure, bool Exact)
    : FMeasure(Measure)
    , FExact(Exact)
    , FBlankWidth(Measure != nullptr ? Measure->LineWidth(u" ") : 0)
{
}

bool TWrapBuffer::CanExtend(QStringView Word) const
{
    if (HasBreak(Word))
        return false;
    return Word.isEmpty() || !Word.back().isHighSurrogate() || !FrontChar().isLowSurrogate();
}

qint64 TWrapBuffer::MeasureWithWord(QStringView Word, bool Glued, qint64& WordWidth) const
{
    WordWidth = Width(Word);
    const qint64 Separator = FExact && !Glued ? FBlankWidth : 0;
    return std::max(WordWidth + Separator + FFirst, FRest);
}

void TWrapBuffer::Prepend(QStringView Word, qint64 WordWidth, bool NewLine, bool Glued)
{
    FPieces.push_back({Word, NewLine, Glued, TSubtitleText::HasVisible(Word)});
    if (NewLine) {
        FRest = std::max(FRest, FFirst);
        FFirst = WordWidth;
    } else {
        FFirst = WordWidth + (Glued ? 0 : FBlankWidth) + FFirst;
    }
}

qint64 TWrapBuffer::MeasureWithWordInFull(QStringView Word, bool Glued) const
{
    qint64 LineCount = 0;
    QString Combined = Word.toString();
    if (FExact)
        Combined += Separator(false, Glued);
    Combined += Build();
    return FMeasure != nullptr ? FMeasure->TextWidth(Combined, LineCount) : 0;
}

void TWrapBuffer::PrependInFull(QStringView Word, bool NewLine, bool Glued)
{
    QString Tail = Word.toString();
    Tail += Separator(NewLine, Glued);
    Tail += Build();
    FTail = std::move(Tail);
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
        Size += Piece.Word.size() + Separator(Piece.NewLine, Piece.Glued).size();
    QString Result;
    Result.reserve(Size);
    for (auto Piece = FPieces.rbegin(); Piece != FPieces.rend(); ++Piece) {
        Result += Piece->Word;
        Result += Separator(Piece->NewLine, Piece->Glued);
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
    for (auto Piece = FPieces.rbegin(); Piece != FPieces.rend(); ++Piece) {
        if (!Piece->Word.isEmpty())
            return Piece->Word.front();
        const QStringView After = Separator(Piece->NewLine, Piece->Glued);
        if (!After.isEmpty())
            return After.front();
    }
    return FTail.isEmpty() ? QChar() : FTail.front();
}

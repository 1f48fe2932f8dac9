#include "UnitMeasures.h"

#include <algorithm>
#include <limits>

void TUnitMeasures::Clear()
{
    FWidths.resize(1);
    FBlanks.resize(1);
    FVisible.resize(1);
    FGlued = 0;
}

void TUnitMeasures::Add(qint64 Width, bool Visible, bool Glued)
{
    if (!IsEmpty()) {
        FBlanks.push_back(FBlanks.back() + (Glued ? 0 : 1));
        FGlued += Glued ? 1 : 0;
    }
    FWidths.push_back(FWidths.back() + Width);
    FVisible.push_back(FVisible.back() + (Visible ? 1 : 0));
}

void TUnitMeasures::Extend(qint64 Width, bool Visible)
{
    FWidths.back() += Width;
    if (Visible && FVisible.back() == FVisible[FVisible.size() - 2])
        ++FVisible.back();
}

qint32 TUnitMeasures::LineBreaks(qint64 BoxWidth, qint64 BlankWidth) const
{
    constexpr qint64 Int32Max = std::numeric_limits<qint32>::max();
    const qsizetype N = Count();
    if (N == 0)
        return 0;
    // A text with breaks inside words is measured as drawn: each unit with the blank
    // before the text after it, and none after the last. Any other keeps the measure
    // of old: a unit immediately followed by the text after it, which ends in a blank.
    const bool Exact = FGlued > 0;
    const qint64 Trailing = Exact ? 0 : BlankWidth;
    const auto Blank = [&](qsizetype k) { return (FBlanks[k + 1] - FBlanks[k]) * BlankWidth; };
    // The line's text as the wrap measures it, from unit K to unit M, its last; the
    // text's last line carries the trailing blank.
    const auto Line = [&](qsizetype K, qsizetype M, bool LastLine) {
        const qint64 Between = (FBlanks[M] - FBlanks[K]) * BlankWidth;
        return FWidths[M + 1] - FWidths[K] + Between + (LastLine ? Trailing : 0);
    };
    // What the wrap compares with the box when unit K goes in front of the line K + 1 .. M.
    const auto Measure = [&](qsizetype K, qsizetype M, bool LastLine) {
        const qint64 Width = Line(K, M, LastLine) - (Exact ? 0 : Blank(K));
        return std::min(Width, Int32Max);
    };
    // The first unit after which one is visible, and the first after which all are.
    const qsizetype FirstVisible = std::upper_bound(FVisible.cbegin(), FVisible.cend(), 0) - FVisible.cbegin() - 1;
    const qsizetype LastVisible =
        std::lower_bound(FVisible.cbegin(), FVisible.cend(), FVisible.back()) - FVisible.cbegin() - 1;
    // A break after unit K stays when a visible unit lies at or before K and another after it.
    const auto Kept = [&](qsizetype K) { return K >= FirstVisible && K < LastVisible; };

    qint32 Breaks = 0;
    qint64 Rest = 0; // the widest line below the first
    // The last unit alone wider than the box starts a line of its own, without the
    // trailing blank; it takes no break of its own that trimming keeps.
    qsizetype M = N - 1;
    bool LastLine = std::min(FWidths[N] - FWidths[N - 1], Int32Max) <= BoxWidth;
    for (;;) {
        if (std::min(Rest, Int32Max) > BoxWidth) {
            // Every unit that is left breaks after itself.
            for (qsizetype K = 0; K < M; ++K)
                Breaks += Kept(K) ? 1 : 0;
            return Breaks;
        }
        // The units K < M that still fit in front, searched: the measure grows as K falls.
        qsizetype Low = 0;
        qsizetype High = M; // Measure(High) fits; find the smallest that does
        while (Low < High) {
            const qsizetype Mid = Low + (High - Low) / 2;
            if (Measure(Mid, M, LastLine) > BoxWidth)
                Low = Mid + 1;
            else
                High = Mid;
        }
        if (High == 0)
            return Breaks;
        // Unit High - 1 does not fit: a line break follows it, and it starts a new line.
        const qsizetype K = High - 1;
        Breaks += Kept(K) ? 1 : 0;
        Rest = std::max(Rest, Line(High, M, LastLine));
        M = K;
        LastLine = false;
    }
}

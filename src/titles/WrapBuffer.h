#pragma once

#include <QString>
#include <QStringView>
#include <QVarLengthArray>

class TFontMeasure;

// The text a wrap has built so far (R), which grows at its front one unit at a time
// (TLineUnits: a word, or the part of a word up to a place where a line may break).
// It is kept as the units prepended since the last rebuild in front of a materialised
// tail, together with the width of its first line and the widest of its other lines.
// Since widths add up character by character, the measure of "unit + R" is
// max(width(unit) + first, rest): only the new unit is measured. A unit that holds a
// line break itself (or would complete a surrogate pair with R) changes the line
// structure, and then R is rebuilt and measured in full.
//
// A unit is measured immediately followed by R, as titles have always been measured,
// unless the buffer is Exact: then it is measured with the blank that separates it from
// R, so that a line is measured as it will be drawn.
//
// The units are views into the text being wrapped, which must outlive the buffer.
// Without a measure every width is 0.
class TWrapBuffer
{
public:
    TWrapBuffer(TFontMeasure* Measure, bool Exact);

    // Whether Word can go in front of R without measuring R again.
    bool CanExtend(QStringView Word) const;

    // Width of Word followed by R; WordWidth gets the width of Word alone. Only for a
    // word that CanExtend. Glued as for Prepend.
    qint64 MeasureWithWord(QStringView Word, bool Glued, qint64& WordWidth) const;
    // Puts Word in front of R, separated by CR LF (NewLine), or else by a blank unless
    // Word is a part of the word that R starts with (Glued). Only for a word that
    // CanExtend, with the WordWidth that MeasureWithWord gave.
    void Prepend(QStringView Word, qint64 WordWidth, bool NewLine, bool Glued);

    // The same for any word, measuring and rebuilding R in full.
    qint64 MeasureWithWordInFull(QStringView Word, bool Glued) const;
    void PrependInFull(QStringView Word, bool NewLine, bool Glued);

    // The number of CR LF pairs that Build() keeps once trimmed, without building it.
    qint32 TrimmedLineBreaks() const;

    QString Build() const;

private:
    struct TPiece
    {
        QStringView Word;
        bool NewLine;
        bool Glued;
        bool Visible; // holds a character above 32, which trimming stops at
    };

    qint64 Width(QStringView Text) const;
    QChar FrontChar() const;

    TFontMeasure* FMeasure;
    bool FExact;
    qint64 FBlankWidth;
    // The front of R is the last piece. A subtitle rarely has more words than this
    // holds without asking the heap, and the cutting of titles wraps thousands of them.
    QVarLengthArray<TPiece, 32> FPieces;
    QString FTail;
    qint64 FFirst = 0;
    qint64 FRest = 0;
};

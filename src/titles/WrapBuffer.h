#pragma once

#include <QString>
#include <QStringView>
#include <QVarLengthArray>

class TFontMeasure;

// The text a wrap has built so far (R), which grows at its front one word at a time.
// It is kept as the words prepended since the last rebuild in front of a materialised
// tail, together with the width of its first line and the widest of its other lines.
// Since widths add up character by character, the measure of "word + R" is
// max(width(word) + first, rest): only the new word is measured. A word that holds a
// line break itself (or would complete a surrogate pair with R) changes the line
// structure, and then R is rebuilt and measured in full.
//
// The words are views into the text being wrapped, which must outlive the buffer.
// Without a measure every width is 0.
class TWrapBuffer
{
public:
    explicit TWrapBuffer(TFontMeasure* Measure);

    // Whether Word can go in front of R without measuring R again.
    bool CanExtend(QStringView Word) const;

    // Width of Word immediately followed by R; WordWidth gets the width of Word alone.
    // Only for a word that CanExtend.
    qint64 MeasureWithWord(QStringView Word, qint64& WordWidth) const;
    // Puts Word in front of R, separated by CR LF (NewLine) or a blank. Only for a word
    // that CanExtend, with the WordWidth that MeasureWithWord gave.
    void Prepend(QStringView Word, qint64 WordWidth, bool NewLine);

    // The same for any word, measuring and rebuilding R in full.
    qint64 MeasureWithWordInFull(QStringView Word) const;
    void PrependInFull(QStringView Word, bool NewLine);

    // The number of CR LF pairs that Build() keeps once trimmed, without building it.
    qint32 TrimmedLineBreaks() const;

    QString Build() const;

private:
    struct TPiece
    {
        QStringView Word;
        bool NewLine;
        bool Visible; // holds a character above 32, which trimming stops at
    };

    qint64 Width(QStringView Text) const;
    QChar FrontChar() const;

    TFontMeasure* FMeasure;
    qint64 FBlankWidth;
    // The front of R is the last piece. A subtitle rarely has more words than this
    // holds without asking the heap, and the cutting of titles wraps thousands of them.
    QVarLengthArray<TPiece, 32> FPieces;
    QString FTail;
    qint64 FFirst = 0;
    qint64 FRest = 0;
};

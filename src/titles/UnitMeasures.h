#pragma once

#include <QVarLengthArray>

// The measures of a plain text's units (TLineUnits) as the cutting of titles adds them
// one at a time, with running sums from which the wrap's line breaks follow in a few
// steps per line instead of a pass over every unit: the wrap fills each line from its
// end while the line, measured with the next unit, stays within the box, and that
// measure only grows as units are put in front, so where a line starts can be searched.
// The breaks are those that TSubtitleWrapper::Wrap makes of the same units.
class TUnitMeasures
{
public:
    void Clear();
    bool IsEmpty() const { return FWidths.size() == 1; }
    // A new unit at the end; Glued: no blank between it and the unit before.
    void Add(qint64 Width, bool Visible, bool Glued);
    // More of the last unit.
    void Extend(qint64 Width, bool Visible);

    // The line breaks that trimming keeps in the wrap of the units into lines of at most
    // BoxWidth pixels, with blanks of BlankWidth pixels.
    qint32 LineBreaks(qint64 BoxWidth, qint64 BlankWidth) const;

private:
    qsizetype Count() const { return FWidths.size() - 1; }

    // FWidths[i] and FVisible[i] sum the widths and count the visible units before unit
    // i; FBlanks[i] counts the blanks between units 0 to i.
    // A subtitle rarely has more units than these hold without asking the heap, and the
    // cutting measures one subtitle after another.
    QVarLengthArray<qint64, 64> FWidths{0};
    QVarLengthArray<qint64, 64> FBlanks{0};
    QVarLengthArray<qsizetype, 64> FVisible{0};
    qsizetype FGlued = 0; // units that follow the one before without a blank
};

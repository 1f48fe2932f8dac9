#pragma once

#include <QStringView>
#include <QVarLengthArray>

// The units that the wrap puts on lines and the cutting adds to a title one at a time:
// the words of a text, split at every blank (two blanks give an empty word), each cut
// further where TWordBreaks lets a line break inside it.
class TLineUnits
{
public:
    struct TUnit
    {
        qsizetype Start = 0;
        qsizetype End = 0;
        // Follows the unit before it with no blank between them: a break inside a word
        // inserts a line break and removes nothing.
        bool Glued = false;
    };
    // A subtitle rarely has more units than this holds without asking the heap.
    using TList = QVarLengthArray<TUnit, 64>;

    // The units of Text in their order; Units is cleared first.
    static void Split(QStringView Text, TList& Units);
};

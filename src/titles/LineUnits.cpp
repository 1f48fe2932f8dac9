#include "LineUnits.h"

#include "WordBreaks.h"

void TLineUnits::Split(QStringView Text, TList& Units)
{
    Units.clear();
    TWordBreaks::TOffsets Breaks;
    qsizetype Start = 0;
    for (;;) {
        qsizetype End = Text.indexOf(u' ', Start);
        if (End < 0)
            End = Text.size();
        TWordBreaks::Find(Text.sliced(Start, End - Start), Breaks);
        qsizetype UnitStart = Start;
        for (const qsizetype Break : Breaks) {
            Units.push_back({UnitStart, Start + Break, UnitStart != Start});
            UnitStart = Start + Break;
        }
        Units.push_back({UnitStart, End, UnitStart != Start});
        if (End == Text.size())
            return;
        Start = End + 1;
    }
}

#include "WordFontTable.h"

#include <QtEndian>

#include <algorithm>

namespace
{
constexpr qsizetype CharacterSetOffset = 4; // in a font's record, after its size, family and weight
} // namespace

TWordFontTable::TWordFontTable(QByteArrayView Sttbfffn)
{
    if (Sttbfffn.size() < 2)
        return;
    // The table's size in bytes, then the fonts' records, each led by its size less one.
    // Later versions write a count of fonts and a 16-bit zero instead of the size.
    const quint16 First = qFromLittleEndian<quint16>(Sttbfffn.data());
    qsizetype Position = 2;
    qsizetype End = std::min<qsizetype>(First, Sttbfffn.size());
    if (First != Sttbfffn.size() && Sttbfffn.size() >= 4 && qFromLittleEndian<quint16>(Sttbfffn.data() + 2) == 0)
    {
        Position = 4;
        End = Sttbfffn.size();
    }
    while (Position < End)
    {
        const qsizetype Size = qsizetype(static_cast<quint8>(Sttbfffn[Position])) + 1;
        if (Size <= CharacterSetOffset || Size > End - Position)
            break;
        FCharacterSets.append(static_cast<quint8>(Sttbfffn[Position + CharacterSetOffset]));
        Position += Size;
    }
}

#pragma once

#include <QByteArrayView>
#include <QList>

// The character sets of the fonts that a Word 6.0 / Word 95 document uses, from its
// font table (the sttbfffn), by the font numbers that the character formatting gives.
class TWordFontTable
{
public:
    TWordFontTable() = default;

    // Reads what can be read of the table: a damaged one gives the fonts before the damage.
    explicit TWordFontTable(QByteArrayView Sttbfffn);

    qsizetype Count() const noexcept { return FCharacterSets.size(); }
    // The Windows character set of font Font, which must be below Count.
    quint8 CharacterSet(qsizetype Font) const { return FCharacterSets[Font]; }

private:
    QList<quint8> FCharacterSets;
};

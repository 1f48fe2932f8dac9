#pragma once

#include <QByteArrayView>

// What reading the text needs of a run's character properties: whether the run is text
// that the author deleted while changes were tracked, and, for the code page of Word 6.0
// and Word 95 text, the run's font and character style.
struct TWordCharacterProperties
{
    static constexpr qint32 None = -1;

    bool Deleted = false;
    qint32 Font = None;  // an index into the font table; None: the style's font
    qint32 Style = None; // the character style; None: the paragraph style's properties

    // Applies a run's property modifiers, in order; later ones override earlier ones.
    void Apply(QByteArrayView Grpprl, bool Word6);
};

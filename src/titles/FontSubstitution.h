#pragma once

#include <QString>

// Whether a subtitle's FontName is the face that measures it. Measuring asks Qt for
// that name; when no installed face carries it, fontconfig substitutes another face
// with other widths (Arial becomes Liberation Sans, an unknown name DejaVu Sans), and
// the titles' lines may then break elsewhere than where the editing host, which draws
// with the real font, breaks them.
//
// A name counts as installed when the very face that measures it carries the name
// among its family names, letter case aside, as fontconfig and Windows both match
// names: a localised name (微软雅黑 for Microsoft YaHei) counts. Everything else is a
// substitute, also a face made to the same widths (Liberation Sans for Arial), because
// nothing here can tell how far the likeness goes, and also a face of the same family
// in another style (DejaVu Sans Light, which Qt measures in DejaVu Sans Book).
//
// Thread-safe. Each name is looked up once per process, as Qt reads the installed
// fonts only when it starts.
class TFontSubstitution
{
public:
    // The face that measures FontName in its stead ("Liberation Sans", "DejaVu Sans
    // Book"), or the empty text when FontName is installed.
    static QString SubstituteFor(const QString& FontName);
};

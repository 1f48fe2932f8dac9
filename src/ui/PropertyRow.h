#pragma once

#include <QString>

// One row of the property grid: the property, the text its value cell shows, and what
// the painting needs to know about it (a colour swatch for "TColor", the default that
// a changed value is set off against).
class TPropertyRow
{
public:
    QString Name;
    QString Value;
    QString TypeName;
    bool HasAttribute = false;
    QString DefaultValue;
};

#pragma once

#include <QString>

// Presentation data of one property: its row position in the inspector (0 = free),
// a description, and a default value in the text form TRTTI::SetPropertyValue takes.
class TPropertyAttribute
{
public:
    qint32 Index = 0;
    QString Description;
    QString DefaultValue;
};

#pragma once

#include "ObjectListAccess.h"
#include "PropertyKind.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class TPersistent;

// One entry of a class's published property table. Writes go through the class's
// setter, so a write through the table notifies exactly like a direct call.
class TPropertyInfo
{
public:
    QString Name;
    QString TypeName;                // "Integer", "TColor", "TFontSize", "Boolean", ...
    TPropertyKind Kind = TPropertyKind::Integer;
    QStringList EnumIdentifiers;     // identifiers by ordinal, for enumerations
    std::function<TPropertyValue(const TPersistent&)> Getter;
    std::function<void(TPersistent&, const TPropertyValue&)> Setter;
    std::optional<TObjectListAccess> List; // set for ObjectList entries only

    // Stored in the project file but never shown to the user.
    bool IsHidden() const { return Name.startsWith(QLatin1Char('_')); }

    TPropertyValue Read(const TPersistent& Instance) const { return Getter(Instance); }
    void Write(TPersistent& Instance, const TPropertyValue& Value) const { Setter(Instance, Value); }

    // The value as text: enumerations by identifier ("True"/"False" for Boolean),
    // integers in decimal, floats in the general format with the locale's separator.
    QString ReadText(const TPersistent& Instance) const;
};

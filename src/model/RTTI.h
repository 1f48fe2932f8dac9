#pragma once

#include "PropertyInfo.h"

#include <QString>

class TPersistent;

// Writes published properties from their text form, as the attribute defaults and the
// inspector need; also the number parsers that the rest of the model shares.
class TRTTI
{
public:
    // Writes the named property from ValueText by its kind and returns its entry;
    // nullptr (and nothing written) when Instance is null or has no such property.
    // Malformed text raises EConvertError and leaves the property as it was.
    static const TPropertyInfo* SetPropertyValue(TPersistent* Instance, const QString& PropertyName,
                                                 const QString& ValueText);

    // A 32-bit signed integer in decimal, or hexadecimal after "$" or "0x".
    static bool TryParseInteger(const QString& Text, qint32& Value);
    static qint32 ParseInteger(const QString& Text); // EConvertError when malformed
    // A number with the user's locale decimal separator (QLocale's default).
    static double ParseLocaleFloat(const QString& Text); // EConvertError when malformed
    static qint32 ParseEnumeration(const TPropertyInfo& Property, const QString& Text);
};

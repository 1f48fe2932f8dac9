#pragma once

#include <QString>

#include <variant>

// How a published property stores its value. Enumerations (Boolean included) are
// held as their ordinal; floats as double; lists of owned objects have no scalar value.
enum class TPropertyKind
{
    Integer,
    Enumeration,
    Float,
    Text,
    ObjectList,
};

using TPropertyValue = std::variant<qint32, double, QString>;

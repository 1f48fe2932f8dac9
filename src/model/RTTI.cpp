#include "RTTI.h"

#include "AsciiText.h"
#include "ConvertError.h"
#include "Persistent.h"

#include <QLocale>

#include <cmath>
#include <limits>

bool TRTTI::TryParseInteger(const QString& Text, qint32& Value)
{
    qsizetype Position = 0;
    while (Position < Text.size() && Text[Position] == QLatin1Char(' '))
        ++Position;
    bool Negative = false;
    if (Position < Text.size() && (Text[Position] == QLatin1Char('-') || Text[Position] == QLatin1Char('+'))) {
        Negative = Text[Position] == QLatin1Char('-');
        ++Position;
    }
    int Base = 10;
    if (Position < Text.size() && Text[Position] == QLatin1Char('$')) {
        Base = 16;
        ++Position;
    } else if (Position + 1 < Text.size() && Text[Position] == QLatin1Char('0')
               && (Text[Position + 1] == QLatin1Char('x') || Text[Position + 1] == QLatin1Char('X'))) {
        Base = 16;
        Position += 2;
    }
    if (Position >= Text.size())
        return false;

    quint64 Magnitude = 0;
    for (; Position < Text.size(); ++Position) {
        const char16_t Code = Text[Position].unicode();
        int Digit;
        if (Code >= u'0' && Code <= u'9')
            Digit = Code - u'0';
        else if (Base == 16 && Code >= u'a' && Code <= u'f')
            Digit = Code - u'a' + 10;
        else if (Base == 16 && Code >= u'A' && Code <= u'F')
            Digit = Code - u'A' + 10;
        else
            return false;
        Magnitude = Magnitude * quint64(Base) + quint64(Digit);
        if (Magnitude > 0xFFFFFFFFull)
            return false;
    }

    if (Base == 16) {
        // Hexadecimal spells the bit pattern: $FFFFFFFF is -1.
        const qint32 Bits = qint32(quint32(Magnitude));
        Value = Negative ? qint32(0u - quint32(Bits)) : Bits;
        return true;
    }
    const qint64 Signed = Negative ? -qint64(Magnitude) : qint64(Magnitude);
    if (Signed < std::numeric_limits<qint32>::min() || Signed > std::numeric_limits<qint32>::max())
        return false;
    Value = qint32(Signed);
    return true;
}

qint32 TRTTI::ParseInteger(const QString& Text)
{
    qint32 Value = 0;
    if (!TryParseInteger(Text, Value))
        throw EConvertError(QStringLiteral("''%1'' is not a valid integer value").arg(Text));
    return Value;
}

double TRTTI::ParseLocaleFloat(const QString& Text)
{
    const QString Trimmed = Text.trimmed();
    if (TAsciiText::SameText(Trimmed, u"NAN"))
        return std::numeric_limits<double>::quiet_NaN();
    if (TAsciiText::SameText(Trimmed, u"INF"))
        return std::numeric_limits<double>::infinity();
    if (TAsciiText::SameText(Trimmed, u"-INF"))
        return -std::numeric_limits<double>::infinity();
    QLocale Locale;
    Locale.setNumberOptions(QLocale::RejectGroupSeparator);
    bool Ok = false;
    const double Value = Locale.toDouble(Trimmed, &Ok);
    if (!Ok || !std::isfinite(Value))
        throw EConvertError(QStringLiteral("'%1' is not a valid floating point value").arg(Text));
    return Value;
}

qint32 TRTTI::ParseEnumeration(const TPropertyInfo& Property, const QString& Text)
{
    for (qsizetype Ordinal = 0; Ordinal < Property.EnumIdentifiers.size(); ++Ordinal)
        if (TAsciiText::SameText(Property.EnumIdentifiers[Ordinal], Text))
            return qint32(Ordinal);
    throw EConvertError(QStringLiteral("Invalid property element: %1").arg(Text));
}

const TPropertyInfo* TRTTI::SetPropertyValue(TPersistent* Instance, const QString& PropertyName,
                                             const QString& ValueText)
{
    if (!Instance)
        return nullptr;
    const TPropertyInfo* Property = Instance->ClassType().FindProperty(PropertyName);
    if (!Property)
        return nullptr;
    switch (Property->Kind) {
    case TPropertyKind::Integer:
        Property->Write(*Instance, ParseInteger(ValueText));
        break;
    case TPropertyKind::Enumeration:
        Property->Write(*Instance, ParseEnumeration(*Property, ValueText));
        break;
    case TPropertyKind::Float:
        Property->Write(*Instance, ParseLocaleFloat(ValueText));
        break;
    case TPropertyKind::Text:
        Property->Write(*Instance, ValueText);
        break;
    case TPropertyKind::ObjectList:
        // A list has no text form; there is nothing to write.
        break;
    }
    return Property;
}

#include "PropertyInfo.h"

#include "FloatFormat.h"

#include <QLocale>

QString TPropertyInfo::ReadText(const TPersistent& Instance) const
{
    switch (Kind) {
    case TPropertyKind::Integer:
        return QString::number(std::get<qint32>(Read(Instance)));
    case TPropertyKind::Enumeration: {
        const qint32 Ordinal = std::get<qint32>(Read(Instance));
        return Ordinal >= 0 && Ordinal < EnumIdentifiers.size() ? EnumIdentifiers[Ordinal] : QString::number(Ordinal);
    }
    case TPropertyKind::Float:
        return TFloatFormat::General(std::get<double>(Read(Instance)), QLocale().decimalPoint().front());
    case TPropertyKind::Text:
        return std::get<QString>(Read(Instance));
    case TPropertyKind::ObjectList:
        break;
    }
    return {};
}

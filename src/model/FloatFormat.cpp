#include "FloatFormat.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

QString TFloatFormat::General(double Value, QChar DecimalSeparator)
{
    if (std::isnan(Value))
        return QStringLiteral("NaN");
    if (std::isinf(Value))
        return Value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    if (Value == 0)
        return QStringLiteral("0");

    // Round to 15 significant digits first; the exponent of the rounded value decides
    // between the fixed and the exponent form.
    char Buffer[64];
    std::snprintf(Buffer, sizeof Buffer, "%.14E", Value);
    const QString Scientific = QString::fromLatin1(Buffer);
    const qsizetype ExponentAt = Scientific.indexOf(QLatin1Char('E'));
    const int Exponent = Scientific.mid(ExponentAt + 1).toInt();
    const bool Negative = Scientific.startsWith(QLatin1Char('-'));
    QString Digits = Scientific.left(ExponentAt);
    Digits.remove(QLatin1Char('-'));
    Digits.remove(QLatin1Char('.'));
    while (Digits.size() > 1 && Digits.endsWith(QLatin1Char('0')))
        Digits.chop(1);

    QString Result;
    if (Negative)
        Result += QLatin1Char('-');
    if (Exponent < -5 || Exponent >= 15) {
        Result += Digits.front();
        if (Digits.size() > 1)
            Result += DecimalSeparator + Digits.mid(1);
        Result += QLatin1Char('E');
        if (Exponent < 0)
            Result += QLatin1Char('-');
        Result += QString::number(std::abs(Exponent));
    } else if (Exponent < 0) {
        Result += QLatin1Char('0') + QString(DecimalSeparator) + QString(-Exponent - 1, QLatin1Char('0')) + Digits;
    } else {
        const qsizetype IntegerDigits = Exponent + 1;
        if (Digits.size() <= IntegerDigits) {
            Result += Digits + QString(IntegerDigits - Digits.size(), QLatin1Char('0'));
        } else {
            Result += Digits.left(IntegerDigits) + DecimalSeparator + Digits.mid(IntegerDigits);
        }
    }
    return Result;
}

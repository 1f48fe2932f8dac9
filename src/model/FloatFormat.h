#pragma once

#include <QChar>
#include <QString>

// The general number format used for settings: at most 15 significant digits, no
// trailing zeros, no decimal point for whole numbers, and the exponent form ("1E-6",
// "1.5E20") below 0.00001 in magnitude or beyond 15 integer digits.
class TFloatFormat
{
public:
    static QString General(double Value, QChar DecimalSeparator);
};

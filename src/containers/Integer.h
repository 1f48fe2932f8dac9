#pragma once

#include "Numeric.h"

// A 32-bit integer key.
class TInteger : public TNumeric
{
public:
    explicit TInteger(qint32 Value) : FValue(Value) {}

    QString ClassName() const override { return QStringLiteral("TInteger"); }
    qint32 Value() const { return FValue; }
    double AsFloat() const override { return FValue; }

    // Value + 1 for 0 and above, the value itself below 0 (wrapping at the top).
    qint32 HashCode() const override { return FValue >= 0 ? qint32(quint32(FValue) + 1u) : FValue; }

private:
    qint32 FValue;
};

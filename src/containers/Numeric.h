#pragma once

#include "Comparable.h"

// A number key; numbers of any kind compare by their value as a float.
class TNumeric : public TComparable
{
public:
    QString ClassName() const override { return QStringLiteral("TNumeric"); }

    int CompareTo(const TObject* Other) const override
    {
        const double Mine = AsFloat();
        const double Theirs = CheckType<TNumeric>(Other, QStringLiteral("TNumeric")).AsFloat();
        return Mine > Theirs ? 1 : (Mine < Theirs ? -1 : 0);
    }

    virtual double AsFloat() const = 0;
};

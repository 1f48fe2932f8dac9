#pragma once

#include "HashTableIterator.h"
#include "Integer.h"

#include "model/Error.h"

// An iterator of an integer-keyed table that reads the current key as a number.
class TIntegerHashIterator : public THashTableIterator
{
public:
    using THashTableIterator::THashTableIterator;

    QString ClassName() const override { return QStringLiteral("TIntegerHashIterator"); }

    qint32 KeyInteger() const
    {
        const TComparable* Current = Key();
        const auto* Number = dynamic_cast<const TInteger*>(Current);
        if (!Number)
            throw EError(QStringLiteral("Wrong type. Expecting TInteger, got ")
                         + (Current ? Current->ClassName() : QStringLiteral("nil")));
        return Number->Value();
    }
};

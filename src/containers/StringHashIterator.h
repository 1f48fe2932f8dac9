#pragma once

#include "HashTableIterator.h"
#include "String.h"

#include "model/Error.h"

// An iterator of a string-keyed table that reads the current key as text.
class TStringHashIterator : public THashTableIterator
{
public:
    using THashTableIterator::THashTableIterator;

    QString ClassName() const override { return QStringLiteral("TStringHashIterator"); }

    QString KeyString() const
    {
        const TComparable* Current = Key();
        const auto* Text = dynamic_cast<const TString*>(Current);
        if (!Text)
            throw EError(QStringLiteral("Wrong type. Expecting TString, got ")
                         + (Current ? Current->ClassName() : QStringLiteral("nil")));
        return Text->Value();
    }
};

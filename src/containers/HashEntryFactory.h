#pragma once

#include "HashEntry.h"

#include <memory>

// Makes the entries of a hash table; a descendant can make entries of its own class.
class THashEntryFactory : public TObject
{
public:
    QString ClassName() const override { return QStringLiteral("THashEntryFactory"); }

    virtual std::unique_ptr<THashEntry> CreateEntry(TComparable* Key, TObject* Value) const
    {
        return std::make_unique<THashEntry>(Key, Value);
    }
};

#pragma once

#include "Comparable.h"

// One key/value pair of a hash table, linked to the next entry of its bucket.
class THashEntry : public TComparable
{
public:
    THashEntry(TComparable* Key, TObject* Value) : Key(Key), Value(Value) {}

    QString ClassName() const override { return QStringLiteral("THashEntry"); }

    int CompareTo(const TObject* Other) const override
    {
        return CompareKeys(Key, CheckType<THashEntry>(Other, ClassName()).Key);
    }
    qint32 HashCode() const override { return Key ? Key->HashCode() : 0; }

    TComparable* Key;
    TObject* Value;
    THashEntry* Next = nullptr;
};

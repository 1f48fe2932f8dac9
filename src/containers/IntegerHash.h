#pragma once

#include "HashTable.h"
#include "Integer.h"
#include "IntegerHashIterator.h"

#include <memory>

// A hash table with integer keys (the inspector keys objects by identity). It owns its
// keys; the values belong to the caller.
class TIntegerHash : public TObject
{
public:
    explicit TIntegerHash(qint32 InitialCapacity) : FTable(InitialCapacity, true, nullptr, 0.75) {}

    QString ClassName() const override { return QStringLiteral("TIntegerHash"); }

    bool Add(qint32 Key, TObject* Value) { return Put(Key, Value); }
    // True when Key was new; a present Key gets Value instead of its old one.
    bool Put(qint32 Key, TObject* Value)
    {
        auto Stored = std::make_unique<TInteger>(Key);
        // The table takes the key (or frees it when present) only once Put returns.
        const bool Added = FTable.Put(Stored.get(), Value);
        Stored.release();
        return Added;
    }
    std::unique_ptr<TIntegerHashIterator> Iterator() { return std::make_unique<TIntegerHashIterator>(FTable); }
    bool ContainsKey(qint32 Key) const
    {
        const TInteger Probe(Key);
        return FTable.ContainsKey(&Probe);
    }
    bool ContainsValue(const TObject* Value) const { return FTable.ContainsValue(Value); }
    TObject* Get(qint32 Key) const
    {
        const TInteger Probe(Key);
        return FTable.Get(&Probe);
    }
    // Removes Key and returns its value, or null when Key is not present.
    TObject* Remove(qint32 Key)
    {
        TInteger Probe(Key);
        return FTable.Remove(&Probe, false, true);
    }
    qint32 Count() const { return FTable.Count(); }
    void Clear() { FTable.Clear(); }
    void ClearAndFreeValues() { FTable.ClearAndFreeValues(); }

    const THashTable& Table() const { return FTable; }

private:
    THashTable FTable;
};

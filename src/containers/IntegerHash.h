#pragma once

#include "HashTable.h"
#include "Integer.h"
#include "IntegerHashIterator.h"

#include <memory>

// A hash table with integer keys (the inspector keys objects by identity); values
// belong to the caller.
class TIntegerHash
{
public:
    explicit TIntegerHash(qint32 InitialCapacity) : FTable(InitialCapacity, true, nullptr, 0.75) {}

    bool Add(qint32 Key, TObject* Value) { return Put(Key, Value); }
    bool Put(qint32 Key, TObject* Value) { return FTable.Put(new TInteger(Key), Value); }
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

#pragma once

#include "HashTable.h"
#include "StringHashIterator.h"
#include "StringObjectFactory.h"

#include <memory>

// A hash table with text keys, case-sensitive or not; values belong to the caller.
class TStringHash
{
public:
    TStringHash(bool CaseSensitive, qint32 InitialCapacity)
        : FTable(InitialCapacity, true, nullptr, 0.75)
        , FKeyFactory(CaseSensitive)
    {
    }

    bool Add(const QString& Text, TObject* Value) { return Put(Text, Value); }
    bool Put(const QString& Text, TObject* Value) { return FTable.Put(FKeyFactory.CreateKey(Text).release(), Value); }
    std::unique_ptr<TStringHashIterator> Iterator() { return std::make_unique<TStringHashIterator>(FTable); }
    bool ContainsKey(const QString& Text) const { return FTable.ContainsKey(FKeyFactory.CreateKey(Text).get()); }
    bool ContainsValue(const TObject* Value) const { return FTable.ContainsValue(Value); }
    TObject* Get(const QString& Text) const { return FTable.Get(FKeyFactory.CreateKey(Text).get()); }
    TObject* Remove(const QString& Text) { return FTable.Remove(FKeyFactory.CreateKey(Text).get(), false, true); }
    qint32 Count() const { return FTable.Count(); }
    void Clear() { FTable.Clear(); }
    void ClearAndFreeValues() { FTable.ClearAndFreeValues(); }

    const THashTable& Table() const { return FTable; }

private:
    THashTable FTable;
    _StringObjectFactory FKeyFactory;
};

#pragma once

#include "HashTable.h"
#include "StringHashIterator.h"
#include "StringObjectFactory.h"

#include <memory>

// A hash table with text keys, case-sensitive or not. It owns its keys; the values
// belong to the caller.
class TStringHash : public TObject
{
public:
    TStringHash(bool CaseSensitive, qint32 InitialCapacity)
        : FTable(InitialCapacity, true, nullptr, 0.75)
        , FKeyFactory(CaseSensitive)
    {
    }

    QString ClassName() const override { return QStringLiteral("TStringHash"); }

    bool Add(const QString& Text, TObject* Value) { return Put(Text, Value); }
    // True when Text was new; a present Text gets Value instead of its old one.
    bool Put(const QString& Text, TObject* Value)
    {
        std::unique_ptr<TString> Key = FKeyFactory.CreateKey(Text);
        // The table takes the key (or frees it when the text is present) only once Put
        // returns; should it fail on the way, the key is freed here.
        const bool Added = FTable.Put(Key.get(), Value);
        Key.release();
        return Added;
    }
    std::unique_ptr<TStringHashIterator> Iterator() { return std::make_unique<TStringHashIterator>(FTable); }
    bool ContainsKey(const QString& Text) const { return FTable.ContainsKey(FKeyFactory.CreateKey(Text).get()); }
    bool ContainsValue(const TObject* Value) const { return FTable.ContainsValue(Value); }
    TObject* Get(const QString& Text) const { return FTable.Get(FKeyFactory.CreateKey(Text).get()); }
    // Removes Text and returns its value, or null when Text is not present.
    TObject* Remove(const QString& Text) { return FTable.Remove(FKeyFactory.CreateKey(Text).get(), false, true); }
    qint32 Count() const { return FTable.Count(); }
    void Clear() { FTable.Clear(); }
    void ClearAndFreeValues() { FTable.ClearAndFreeValues(); }

    bool CaseSensitive() const { return FKeyFactory.CaseSensitive(); }
    const THashTable& Table() const { return FTable; }

private:
    THashTable FTable;
    _StringObjectFactory FKeyFactory;
};

#pragma once

#include "HashEntryFactory.h"
#include "MapIterator.h"

#include <memory>
#include <vector>

// A chained hash table of comparable keys and object values. It owns its entries, and
// its keys when OwnsKeys; it never owns its values (ClearAndFreeValues excepted).
// It grows to 2 * Capacity + 1 buckets when a new key arrives while Count exceeds
// Threshold (Capacity * LoadFactor, rounded half to even). Every change counts in
// ModCount, which iterators watch.
class THashTable : public TObject
{
public:
    // A capacity below one bucket is taken as one; EntryFactory may be null for plain
    // THashEntry objects. A load factor that is not a positive number raises EInvalidOp.
    THashTable(qint32 InitialCapacity, bool OwnsKeys, std::unique_ptr<THashEntryFactory> EntryFactory = nullptr,
               double LoadFactor = 0.75);
    ~THashTable() override;

    QString ClassName() const override { return QStringLiteral("THashTable"); }

    virtual void Rehash();
    // Put: a new key adds an entry at the head of its bucket and returns true; a key
    // already present gets the new value, the given key is freed when the table owns
    // keys (the stored one stays, and is never freed when passed again itself), and
    // false is returned. Should Put fail, the key is still the caller's.
    virtual bool Add(TComparable* Key, TObject* Value) { return Put(Key, Value); }
    virtual bool Put(TComparable* Key, TObject* Value);
    virtual std::unique_ptr<TMapIterator> Iterator();
    virtual bool ContainsKey(const TComparable* Key) const { return Find(Key) != nullptr; }
    virtual bool ContainsValue(const TObject* Value) const;
    virtual TObject* Get(const TComparable* Key) const;
    // Removes the entry of an equal key and returns its value; nothing is freed when
    // there is none.
    virtual TObject* Remove(TComparable* Key, bool FreeGivenKey, bool FreeStoredKey);
    virtual TObject* Remove(TComparable* Key) { return Remove(Key, FOwnsKeys, FOwnsKeys); }
    virtual qint32 Count() const { return FCount; }
    virtual void Clear() { ClearEntries(false); }
    // A value stored under several keys is freed once.
    virtual void ClearAndFreeValues() { ClearEntries(true); }

    qint32 Capacity() const { return qint32(FBuckets.size()); }
    qint32 Threshold() const { return FThreshold; }
    double LoadFactor() const { return FLoadFactor; }
    quint32 ModCount() const { return FModCount; }
    bool OwnsKeys() const { return FOwnsKeys; }

private:
    friend class THashTableIterator;

    std::size_t BucketOf(const TComparable* Key) const;
    THashEntry* Find(const TComparable* Key) const;
    void ClearEntries(bool FreeValues);
    void ComputeThreshold();

    std::vector<THashEntry*> FBuckets;
    std::unique_ptr<THashEntryFactory> FEntryFactory;
    quint32 FModCount = 0;
    qint32 FThreshold = 0;
    double FLoadFactor;
    qint32 FCount = 0;
    bool FOwnsKeys;
};

#include "HashTable.h"

#include "HashTableIterator.h"

#include "model/InvalidOperation.h"

#include <cmath>
#include <limits>
#include <unordered_set>

THashTable::THashTable(qint32 InitialCapacity, bool OwnsKeys, std::unique_ptr<THashEntryFactory> EntryFactory,
                       double LoadFactor)
    // A table needs one bucket at least, or a key would have nowhere to go.
    : FBuckets(std::size_t(qMax(InitialCapacity, 1)), nullptr)
    , FEntryFactory(EntryFactory ? std::move(EntryFactory) : std::make_unique<THashEntryFactory>())
    , FLoadFactor(LoadFactor)
    , FOwnsKeys(OwnsKeys)
{
    // Without a positive load factor the table would grow at every new key, or the
    // threshold would be no number at all.
    if (!(LoadFactor > 0) || !std::isfinite(LoadFactor))
        throw EInvalidOp(QStringLiteral("哈希表的负载因子 %1 无效：必须是正数。").arg(LoadFactor));
    ComputeThreshold();
}

THashTable::~THashTable()
{
    ClearEntries(false);
}

void THashTable::ComputeThreshold()
{
    // nearbyint rounds halves to even in the default rounding mode: 7.5 gives 8.
    const double Threshold = std::nearbyint(double(FBuckets.size()) * FLoadFactor);
    FThreshold = Threshold >= double(std::numeric_limits<qint32>::max()) ? std::numeric_limits<qint32>::max()
                                                                          : qint32(Threshold);
}

std::size_t THashTable::BucketOf(const TComparable* Key) const
{
    const qint32 Hash = Key ? Key->HashCode() : 0;
    const quint32 Magnitude = Hash < 0 ? 0u - quint32(Hash) : quint32(Hash);
    return std::size_t(Magnitude % quint32(FBuckets.size()));
}

THashEntry* THashTable::Find(const TComparable* Key) const
{
    for (THashEntry* Entry = FBuckets[BucketOf(Key)]; Entry; Entry = Entry->Next)
        if (TComparable::KeysEqual(Entry->Key, Key))
            return Entry;
    return nullptr;
}

bool THashTable::Put(TComparable* Key, TObject* Value)
{
    if (THashEntry* Existing = Find(Key)) {
        Existing->Value = Value;
        if (FOwnsKeys && Key != Existing->Key)
            delete Key;
        return false;
    }
    ++FModCount;
    if (FCount > FThreshold)
        Rehash();
    THashEntry*& Head = FBuckets[BucketOf(Key)];
    THashEntry* Entry = FEntryFactory->CreateEntry(Key, Value).release();
    Entry->Next = Head;
    Head = Entry;
    ++FCount;
    return true;
}

void THashTable::Rehash()
{
    ++FModCount;
    std::vector<THashEntry*> Old(FBuckets.size() * 2 + 1, nullptr);
    Old.swap(FBuckets);
    ComputeThreshold();
    for (THashEntry* Entry : Old) {
        while (Entry) {
            THashEntry* Next = Entry->Next;
            THashEntry*& Head = FBuckets[BucketOf(Entry->Key)];
            Entry->Next = Head;
            Head = Entry;
            Entry = Next;
        }
    }
}

std::unique_ptr<TMapIterator> THashTable::Iterator()
{
    return std::make_unique<THashTableIterator>(*this);
}

bool THashTable::ContainsValue(const TObject* Value) const
{
    for (const THashEntry* Head : FBuckets)
        for (const THashEntry* Entry = Head; Entry; Entry = Entry->Next)
            if (TComparable::KeysEqual(Entry->Value, Value))
                return true;
    return false;
}

TObject* THashTable::Get(const TComparable* Key) const
{
    const THashEntry* Entry = Find(Key);
    return Entry ? Entry->Value : nullptr;
}

TObject* THashTable::Remove(TComparable* Key, bool FreeGivenKey, bool FreeStoredKey)
{
    THashEntry** Link = &FBuckets[BucketOf(Key)];
    while (*Link && !TComparable::KeysEqual((*Link)->Key, Key))
        Link = &(*Link)->Next;
    THashEntry* Entry = *Link;
    if (!Entry)
        return nullptr;
    ++FModCount;
    TComparable* StoredKey = Entry->Key;
    TObject* Value = Entry->Value;
    *Link = Entry->Next;
    delete Entry;
    --FCount;
    if (FreeGivenKey && Key != StoredKey)
        delete Key;
    if (FreeStoredKey)
        delete StoredKey;
    return Value;
}

void THashTable::ClearEntries(bool FreeValues)
{
    ++FModCount;
    std::unordered_set<TObject*> Values;
    for (THashEntry*& Head : FBuckets) {
        while (Head) {
            THashEntry* Entry = Head;
            Head = Entry->Next;
            if (FOwnsKeys)
                delete Entry->Key;
            if (FreeValues && Entry->Value)
                Values.insert(Entry->Value);
            delete Entry;
        }
    }
    FCount = 0;
    // Values are freed only once the table is empty, so that a value's destructor sees
    // a consistent table and one value stored under two keys is not freed twice.
    for (TObject* Value : Values)
        delete Value;
}

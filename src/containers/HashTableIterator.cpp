#include "HashTableIterator.h"

#include "HashTable.h"

#include "model/Error.h"

THashTableIterator::THashTableIterator(THashTable& Table)
    : FTable(Table)
    , FExpectedModCount(Table.FModCount)
{
    for (FBucket = 0; FBucket < FTable.FBuckets.size(); ++FBucket) {
        if (FTable.FBuckets[FBucket]) {
            FCurrent = FTable.FBuckets[FBucket];
            break;
        }
    }
}

void THashTableIterator::CheckValid() const
{
    if (!IsValid())
        throw EError(QStringLiteral("Iterator no longer valid"));
}

bool THashTableIterator::IsValid() const
{
    return FTable.FModCount == FExpectedModCount;
}

void THashTableIterator::Advance()
{
    if (!FCurrent)
        return;
    FCurrent = FCurrent->Next;
    while (!FCurrent && ++FBucket < FTable.FBuckets.size())
        FCurrent = FTable.FBuckets[FBucket];
}

void THashTableIterator::Next()
{
    CheckValid();
    if (FRemoved) {
        // Remove already moved to the successor.
        FRemoved = false;
        return;
    }
    if (FPosition < FTable.FCount) {
        Advance();
        if (FCurrent)
            ++FPosition;
    }
}

void THashTableIterator::Remove()
{
    CheckValid();
    if (FRemoved || !FCurrent)
        return;
    THashEntry* Removed = FCurrent;
    if (FPosition < FTable.FCount)
        Advance();
    FTable.Remove(Removed->Key);
    FRemoved = true;
    FExpectedModCount = FTable.FModCount;
}

bool THashTableIterator::HasNext() const
{
    CheckValid();
    if (FPosition < FTable.FCount - 1)
        return true;
    return FRemoved && FPosition < FTable.FCount;
}

TComparable* THashTableIterator::Key() const
{
    CheckValid();
    return FCurrent && !FRemoved ? FCurrent->Key : nullptr;
}

TObject* THashTableIterator::Value() const
{
    CheckValid();
    return FCurrent && !FRemoved ? FCurrent->Value : nullptr;
}

bool THashTableIterator::IsEntryValid() const
{
    CheckValid();
    return FCurrent && FPosition < FTable.FCount && !FRemoved;
}

void THashTableIterator::SetValue(TObject* Value)
{
    CheckValid();
    if (!IsEntryValid())
        throw EError(QStringLiteral("The entry is not valid"));
    FCurrent->Value = Value;
}

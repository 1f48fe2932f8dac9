#pragma once

#include "MapIterator.h"

#include <QtGlobal>

class THashEntry;
class THashTable;

// Walks a hash table bucket by bucket, each chain from its head. Any change of the
// table other than through this iterator's Remove makes the next step raise
// "Iterator no longer valid". The table must outlive the iterator.
class THashTableIterator : public TMapIterator
{
public:
    explicit THashTableIterator(THashTable& Table);

    QString ClassName() const override { return QStringLiteral("THashTableIterator"); }

    void Next() override;
    void Remove() override;
    bool HasNext() const override;
    TComparable* Key() const override;
    TObject* Value() const override;
    bool IsEntryValid() const override;
    void SetValue(TObject* Value) override;
    bool IsValid() const override;

protected:
    void CheckValid() const;

private:
    void Advance();

    THashTable& FTable;
    std::size_t FBucket = 0;
    THashEntry* FCurrent = nullptr;
    quint32 FExpectedModCount;
    bool FRemoved = false;
    qint32 FPosition = 0;
};

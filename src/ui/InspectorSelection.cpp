#include "InspectorSelection.h"

namespace {

// The capacity the set starts with; a typical selection is a handful of rows.
constexpr qint32 InitialCapacity = 10;

} // namespace

TInspectorSelection::TInspectorSelection()
    : FSet(InitialCapacity)
{
}

bool TInspectorSelection::Add(TObservableObject* Obj)
{
    if (!Obj || Contains(Obj))
        return false;
    const qint32 Id = qint32(FObjectsById.size()) + 1;
    FObjectsById.push_back(Obj);
    FIds.emplace(Obj, Id);
    FSet.Add(Id, nullptr);
    return true;
}

void TInspectorSelection::Clear()
{
    FSet.Clear();
    FIds.clear();
    FObjectsById.clear();
}

TObservableObject* TInspectorSelection::First() const
{
    if (FSet.Count() == 0)
        return nullptr;
    return FObjectsById[std::size_t(FSet.Iterator()->KeyInteger() - 1)];
}

std::vector<TObservableObject*> TInspectorSelection::Objects() const
{
    std::vector<TObservableObject*> Result;
    if (FSet.Count() == 0)
        return Result;
    Result.reserve(std::size_t(FSet.Count()));
    const std::unique_ptr<TIntegerHashIterator> Iterator = FSet.Iterator();
    for (;;) {
        Result.push_back(FObjectsById[std::size_t(Iterator->KeyInteger() - 1)]);
        if (!Iterator->HasNext())
            break;
        Iterator->Next();
    }
    return Result;
}

#pragma once

#include "containers/IntegerHash.h"

#include <unordered_map>
#include <vector>

class TObservableObject;

// The objects the inspector edits. Membership lives in a TIntegerHash, so the objects
// come out in the table's order; the key is a 32-bit id handed out when an object is
// added, not the object's address: on 64-bit systems two objects can share the low 32
// bits of their addresses, and a key cut from an address could not be turned back into
// the object either. The objects are not owned.
class TInspectorSelection
{
public:
    TInspectorSelection();

    // Adds Obj; false when Obj is null or already selected.
    bool Add(TObservableObject* Obj);
    void Clear();
    qint32 Count() const { return FSet.Count(); }
    bool Contains(const TObservableObject* Obj) const { return FIds.find(Obj) != FIds.end(); }

    // The first object the table's iteration yields, or null when nothing is selected.
    TObservableObject* First() const;
    // Every selected object, in the table's iteration order.
    std::vector<TObservableObject*> Objects() const;

private:
    // Iterating a table needs it non-const; walking it changes nothing.
    mutable TIntegerHash FSet;
    std::unordered_map<const TObservableObject*, qint32> FIds;
    std::vector<TObservableObject*> FObjectsById; // id 1 is element 0
};

#include "Comparable.h"

#include <typeinfo>

bool TComparable::KeysEqual(const TObject* A, const TObject* B)
{
    const auto* KeyA = dynamic_cast<const TComparable*>(A);
    const auto* KeyB = dynamic_cast<const TComparable*>(B);
    if ((A && !KeyA) || (B && !KeyB))
        return false;
    if (A == B)
        return true;
    if (!A || !B || typeid(*A) != typeid(*B))
        return false;
    return KeyA->CompareTo(KeyB) == 0;
}

int TComparable::CompareKeys(const TComparable* A, const TComparable* B)
{
    if (A == B)
        return 0;
    if (!A || !B)
        return -1;
    return A->CompareTo(B);
}

#pragma once

#include "CompareException.h"
#include "Object.h"

#include <QString>

// A key that can be compared with keys of its own kind and hashed.
class TComparable : public TObject
{
public:
    QString ClassName() const override { return QStringLiteral("TComparable"); }

    // Negative, zero or positive as this key sorts before, with or after Other.
    virtual int CompareTo(const TObject* Other) const = 0;
    virtual qint32 HashCode() const = 0;

    // Raises ECompareException unless Obj is a C (or derives from it).
    template <class C>
    static const C& CheckType(const TObject* Obj, const QString& ClassName)
    {
        const C* Typed = dynamic_cast<const C*>(Obj);
        if (!Typed)
            throw ECompareException(ClassName + QStringLiteral(" cannot be compared with ")
                                    + (Obj ? Obj->ClassName() : QStringLiteral("nil")));
        return *Typed;
    }

    // Equal when both are absent or the same object, or when both are comparable keys
    // of the same class that compare as 0.
    static bool KeysEqual(const TObject* A, const TObject* B);
    // 0 for two absent keys or the same object; -1 when only one is absent.
    static int CompareKeys(const TComparable* A, const TComparable* B);
};

#pragma once

#include "Object.h"

class TComparable;

// Walks the entries of a map; fails once the map has been changed by anything but
// the iterator itself.
class TMapIterator : public TObject
{
public:
    QString ClassName() const override { return QStringLiteral("TMapIterator"); }

    virtual void Next() = 0;
    virtual void Remove() = 0;
    virtual bool HasNext() const = 0;
    virtual TComparable* Key() const = 0;
    virtual TObject* Value() const = 0;
    virtual bool IsEntryValid() const = 0;
    virtual void SetValue(TObject* Value) = 0;
    virtual bool IsValid() const = 0;
};

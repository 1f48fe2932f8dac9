#pragma once

#include <QString>

class TPersistent;

// Display name and copy-by-property-name of a settings object.
class IObservableObject
{
public:
    virtual QString GetName() const = 0;
    virtual void AssignTo(TPersistent* AObject) const = 0;

protected:
    ~IObservableObject() = default;
};

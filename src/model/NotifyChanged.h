#pragma once

#include "ChangedEvent.h"

// Access to an object's single change observer.
class INotifyChanged
{
public:
    virtual const TChangedEvent& OnChanged() const = 0;
    virtual void SetOnChanged(TChangedEvent Handler) = 0;

protected:
    ~INotifyChanged() = default;
};

#pragma once

#include "ObservableObject.h"

#include <utility>

// Detaches an object's change observer for its lifetime and attaches it again on
// every path, errors included.
class TObserverPause
{
public:
    explicit TObserverPause(TObservableObject& Object)
        : FObject(Object)
        , FObserver(Object.OnChanged())
    {
        FObject.SetOnChanged({});
    }
    ~TObserverPause() { FObject.SetOnChanged(std::move(FObserver)); }
    TObserverPause(const TObserverPause&) = delete;
    TObserverPause& operator=(const TObserverPause&) = delete;

private:
    TObservableObject& FObject;
    TChangedEvent FObserver;
};

#pragma once

#include "ChangedEvent.h"
#include "NotifyChanged.h"
#include "ObservableObjectInterface.h"
#include "Persistent.h"

#include <QString>

#include <memory>

// Base of every settings object: published properties (through TPersistent), one
// change observer, copy by property name and a display name.
//
// Threads: Changed() calls the observer synchronously on the thread that ran the
// setter. The generation run writes document items from its worker thread, so an
// observer that lives on the interface thread must not touch widgets directly from
// its callback; it wraps its handler with TChangedEventRelay::OnThreadOf(), which
// queues the call to the receiver's thread and drops it if the object is gone by
// then (see LifetimeToken()). Objects carry no lock: while a worker writes an item,
// the interface thread leaves that item alone.
class TObservableObject : public TPersistent, public INotifyChanged, public IObservableObject
{
public:
    TObservableObject();
    ~TObservableObject() override;

    const TChangedEvent& OnChanged() const override { return FOnChanged; }
    void SetOnChanged(TChangedEvent Handler) override { FOnChanged = std::move(Handler); }

    // Calls the observer, if any, with this object and the property name.
    virtual void Changed(const QString& PropertyName);

    // The class name, unless a descendant names itself better.
    QString GetName() const override;

    // Copies every published scalar setting of AObject's table that this object also
    // publishes, through AObject's setters. Lists of objects are never copied.
    void AssignTo(TPersistent* AObject) const override;

    // Expires when the object is destroyed; lets code on another thread tell whether
    // the object still exists before it uses a pointer to it.
    std::weak_ptr<const void> LifetimeToken() const { return FLifetime; }

protected:
    // The setter protocol: compare, return when equal, else store and notify.
    template <class V>
    void SetField(V& Field, const V& Value, const QString& PropertyName)
    {
        if (Field == Value)
            return;
        Field = Value;
        Changed(PropertyName);
    }

private:
    TChangedEvent FOnChanged;
    std::shared_ptr<const void> FLifetime;
};

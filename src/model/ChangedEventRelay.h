#pragma once

#include "ChangedEvent.h"

class QObject;

// Delivers change notifications on the thread of a receiving QObject.
//
// The rule for observers on the interface thread: register OnThreadOf(page, handler)
// instead of the bare handler. A notification raised on the receiver's own thread runs
// at once, exactly as a plain observer would; one raised on another thread (the
// generation run's worker) is queued to the receiver's thread and runs there later,
// with the property name copied, and is dropped if the object that changed has been
// destroyed in the meantime. The receiver must outlive every thread that writes the
// observed objects (the documents page stops a run before it is destroyed).
class TChangedEventRelay
{
public:
    static TChangedEvent OnThreadOf(QObject* Receiver, TChangedEvent Handler);
};

#include "ChangedEventRelay.h"

#include "ObservableObject.h"

#include <QMetaObject>
#include <QObject>
#include <QPointer>
#include <QThread>

TChangedEvent TChangedEventRelay::OnThreadOf(QObject* Receiver, TChangedEvent Handler)
{
    QPointer<QObject> Target(Receiver);
    QThread* const HomeThread = Receiver ? Receiver->thread() : nullptr;
    return [Target, HomeThread, Handler = std::move(Handler)](TObservableObject& Sender, const QString& PropertyName) {
        if (QThread::currentThread() == HomeThread) {
            if (Target)
                Handler(Sender, PropertyName);
            return;
        }
        if (!Target)
            return;
        std::weak_ptr<const void> Alive = Sender.LifetimeToken();
        TObservableObject* SenderAddress = &Sender;
        QMetaObject::invokeMethod(
            Target.data(),
            [Alive, SenderAddress, Handler, PropertyName] {
                // Objects are destroyed on the interface thread only, so an object that
                // is alive now stays alive while the handler runs.
                if (!Alive.expired())
                    Handler(*SenderAddress, PropertyName);
            },
            Qt::QueuedConnection);
    };
}

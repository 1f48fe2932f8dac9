#include "Application.h"

#include "ErrorHandler.h"

#include <QWidget>

TApplication::TApplication(int& argc, char** argv)
    : QApplication(argc, argv)
{
}

bool TApplication::notify(QObject* Receiver, QEvent* Event)
{
    try {
        return QApplication::notify(Receiver, Event);
    } catch (...) {
        TErrorHandler::ShowCurrentException(qobject_cast<QWidget*>(Receiver));
        return false;
    }
}

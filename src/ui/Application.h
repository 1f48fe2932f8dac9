#pragma once

#include <QApplication>

// The application object. Commands catch their own errors (TErrorHandler); this is
// the last safety net for an exception raised inside an event handler, which would
// otherwise end the program: it is shown like any command's error.
class TApplication : public QApplication
{
    Q_OBJECT

public:
    TApplication(int& argc, char** argv);

    bool notify(QObject* Receiver, QEvent* Event) override;
};

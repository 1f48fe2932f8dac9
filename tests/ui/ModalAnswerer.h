#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <utility>

// Answers the modal dialogs a test opens, from a timer, while the dialog's own event
// loop runs. Each modal widget is handed to Answer once (the default closes message
// boxes with their default button and rejects other dialogs); the text of every
// message box answered is recorded, so a test can tell how many boxes it saw.
class TModalAnswerer : public QObject
{
public:
    using TAnswer = std::function<void(QWidget* Dialog)>;

    explicit TModalAnswerer(TAnswer Answer = {})
        : FAnswer(std::move(Answer))
    {
        connect(&FTimer, &QTimer::timeout, this, &TModalAnswerer::Poll);
        FTimer.start(20);
    }

    // Texts of the message boxes answered so far, in order.
    const QStringList& MessageTexts() const { return FMessageTexts; }
    int Answered() const { return FAnswered; }

    static void CloseDefault(QWidget* Dialog)
    {
        if (auto* Box = qobject_cast<QMessageBox*>(Dialog)) {
            QAbstractButton* Button = Box->defaultButton();
            if (!Button && !Box->buttons().isEmpty())
                Button = Box->buttons().first();
            if (Button) {
                Button->click();
                return;
            }
        }
        if (auto* Dialog2 = qobject_cast<QDialog*>(Dialog))
            Dialog2->reject();
        else
            Dialog->close();
    }

private:
    void Poll()
    {
        QWidget* Modal = QApplication::activeModalWidget();
        if (!Modal || Modal == FLast)
            return;
        FLast = Modal;
        ++FAnswered;
        if (auto* Box = qobject_cast<QMessageBox*>(Modal))
            FMessageTexts << Box->text();
        if (FAnswer)
            FAnswer(Modal);
        else
            CloseDefault(Modal);
    }

    TAnswer FAnswer;
    QTimer FTimer;
    QPointer<QWidget> FLast;
    QStringList FMessageTexts;
    int FAnswered = 0;
};

#pragma once

#include <QString>

#include <stdexcept>

// Base of every error the system raises. It carries a message meant for the user;
// what() gives the same text in UTF-8 for code that only knows std::exception.
class EError : public std::runtime_error
{
public:
    explicit EError(const QString& Message)
        : std::runtime_error(Message.toStdString())
        , FMessage(Message)
    {
    }

    const QString& Message() const noexcept { return FMessage; }

private:
    QString FMessage;
};

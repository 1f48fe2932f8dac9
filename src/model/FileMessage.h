#pragma once

#include <QString>

// The wording of the file failures that every layer reports alike: the file's name and
// the system's reason. Which error carries the text is the reporting layer's choice.
class TFileMessage
{
public:
    static QString CannotOpen(const QString& FileName, const QString& Reason);
    static QString CannotRead(const QString& FileName, const QString& Reason);
    static QString CannotWrite(const QString& FileName, const QString& Reason);
};

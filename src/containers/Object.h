#pragma once

#include <QString>

// Root of the container library's classes: values stored in the tables are objects of
// this kind, and every class can name itself in messages.
class TObject
{
public:
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject() = default;

    virtual QString ClassName() const { return QStringLiteral("TObject"); }
};

#pragma once

#include <QString>

// Checks a proposed value before it is written; an empty message accepts it.
// Validate never changes the object.
class IValidation
{
public:
    virtual QString Validate(const QString& PropertyName, const QString& ValueText) const = 0;

protected:
    ~IValidation() = default;
};

#pragma once

#include "ClassInfo.h"

#include <QString>

// Base of every object that has a published property table and can be created from
// its class reference (the project, and every settings object).
class TPersistent
{
public:
    TPersistent() = default;
    TPersistent(const TPersistent&) = delete;
    TPersistent& operator=(const TPersistent&) = delete;
    virtual ~TPersistent() = default;

    virtual const TClassInfo& ClassType() const = 0;
    QString ClassName() const { return ClassType().ClassName(); }
};

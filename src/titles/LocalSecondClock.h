#pragma once

#include <QDateTime>

// The clock whose time a title records as its creation time: the local time, to the
// second.
class TLocalSecondClock
{
public:
    static QDateTime Now();
};

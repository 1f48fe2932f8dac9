#include "LocalSecondClock.h"

// Converting the clock to local time consults the time zone every time, which costs as
// much as a good part of a title; titles record whole seconds, so each thread converts
// once per second.
QDateTime TLocalSecondClock::Now()
{
    thread_local qint64 CachedSecond = -1;
    thread_local QDateTime Cached;
    const qint64 Second = QDateTime::currentSecsSinceEpoch();
    if (Second != CachedSecond) {
        Cached = QDateTime::fromSecsSinceEpoch(Second, Qt::LocalTime);
        CachedSecond = Second;
    }
    return Cached;
}

#pragma once

#include <Qt>

// Shows a busy cursor for its lifetime and restores the previous one on every path,
// errors included.
class TBusyCursor
{
public:
    explicit TBusyCursor(Qt::CursorShape Shape = Qt::WaitCursor);
    ~TBusyCursor();
    TBusyCursor(const TBusyCursor&) = delete;
    TBusyCursor& operator=(const TBusyCursor&) = delete;
};

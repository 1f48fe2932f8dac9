#pragma once

// Sets a flag for its lifetime and clears it again on every path, errors included:
// "the page is changing its rows itself, its selection handling waits".
class TFlagScope
{
public:
    explicit TFlagScope(bool& Flag) : FFlag(Flag), FPrevious(Flag) { FFlag = true; }
    ~TFlagScope() { FFlag = FPrevious; }
    TFlagScope(const TFlagScope&) = delete;
    TFlagScope& operator=(const TFlagScope&) = delete;

private:
    bool& FFlag;
    bool FPrevious;
};

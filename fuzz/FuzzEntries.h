#pragma once

#include <QByteArray>

#include <vector>

// Every parser of bytes that come from outside the program, each reached through the
// entry the application opens such a file with. The fuzz targets and the test that
// replays their inputs share these entries, so an input that once broke a parser is
// checked on the very same path ever after.
//
// A parser that refuses an input with one of our own errors (EError and its
// descendants) has handled it: Run reports that and returns. Anything else is a fault
// of the parser and is left to escape: a crash, a sanitizer report, or an exception of
// another type.
class TFuzzEntries
{
public:
    using TEntry = void (*)(const QByteArray& Content);

    struct TTarget
    {
        // The target's name, which is also the folder of its inputs under tests/data/fuzz.
        const char* Name;
        TEntry Entry;
    };

    static const std::vector<TTarget>& Targets();
    // The target of that name, or nullptr.
    static const TTarget* Find(const char* Name);

    // True when the parser took Content, false when it refused it with our own error.
    static bool Run(const TTarget& Target, const QByteArray& Content);
};

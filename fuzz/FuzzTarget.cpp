// One libFuzzer target; NUVEX_FUZZ_TARGET names the entry it drives.
#include "FuzzEntries.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace
{
const TFuzzEntries::TTarget* Target = nullptr;
}

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    Target = TFuzzEntries::Find(NUVEX_FUZZ_TARGET);
    if (Target == nullptr)
    {
        std::fprintf(stderr, "no fuzz entry named %s\n", NUVEX_FUZZ_TARGET);
        std::abort();
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size)
{
    // No copy: a parser that reads past the input's end meets the sanitizer, not a
    // terminating zero.
    TFuzzEntries::Run(*Target, QByteArray::fromRawData(reinterpret_cast<const char*>(Data), qsizetype(Size)));
    return 0;
}

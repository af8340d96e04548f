// One fuzzer: libFuzzer calls the reader named by VSM_FUZZ_TARGET with every
// input it makes; an input that breaks what must hold stops it with the
// reader's description.

#include "FuzzTargets.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {
FuzzTargets::Entry target = nullptr;
}

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    FuzzTargets::initialise();
    target = FuzzTargets::entry(QStringLiteral(VSM_FUZZ_TARGET));
    if (!target) {
        std::fprintf(stderr, "no reader named %s\n", VSM_FUZZ_TARGET);
        std::abort();
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString failure = target(QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size)));
    if (!failure.isEmpty()) {
        std::fprintf(stderr, "%s: %s\n", VSM_FUZZ_TARGET, qPrintable(failure));
        std::abort();
    }
    return 0;
}

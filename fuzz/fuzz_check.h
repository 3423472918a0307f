#pragma once

#include <cstdio>
#include <cstdlib>

namespace Kelbrix::Fuzz {

/// Stops the run at a broken check, naming it, so the fuzzer keeps the input as a finding.
inline void requireThat(bool condition, const char *check)
{
    if (!condition) {
        std::fprintf(stderr, "check failed: %s\n", check);
        std::abort();
    }
}

} // namespace Kelbrix::Fuzz

#define require(condition) ::Kelbrix::Fuzz::requireThat((condition), #condition)

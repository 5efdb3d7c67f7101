#pragma once

#include <cstdio>
#include <cstdlib>

namespace fuzz {

// A broken invariant ends the run as a crash does, so that libFuzzer keeps
// the input that broke it.
inline void Require(bool holds, const char* what) {
    if (holds) return;
    std::fprintf(stderr, "Broken: %s\n", what);
    std::abort();
}

}  // namespace fuzz

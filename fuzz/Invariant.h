#pragma once

#include <cstdio>
#include <cstdlib>

namespace kestrix {

// Stops the fuzzer with the invariant's words, so that libFuzzer keeps the
// input that broke it.
inline void require(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "invariant broken: %s\n", what);
        std::abort();
    }
}

}  // namespace kestrix

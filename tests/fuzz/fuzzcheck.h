#pragma once

#include <cstdio>
#include <cstdlib>

// A broken promise of the code under fuzzing: says which, and stops as a crash does, so
// libFuzzer keeps the input and a corpus replay fails.
#define FUZZ_EXPECT(condition)                                                                                         \
    do {                                                                                                               \
        if (!(condition)) {                                                                                            \
            std::fprintf(stderr, "%s:%d: expected %s\n", __FILE__, __LINE__, #condition);                              \
            std::abort();                                                                                              \
        }                                                                                                              \
    } while (false)

#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

// What libFuzzer calls with each input; each target defines it.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

// A broken promise of the code under fuzzing: says which, and stops as a crash does, so
// libFuzzer keeps the input and a corpus replay fails.
#define FUZZ_EXPECT(condition)                                                                                         \
    do {                                                                                                               \
        if (!(condition)) {                                                                                            \
            std::fprintf(stderr, "%s:%d: expected %s\n", __FILE__, __LINE__, #condition);                              \
            std::abort();                                                                                              \
        }                                                                                                              \
    } while (false)

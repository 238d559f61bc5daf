// How a fuzz target reports a broken invariant.
#pragma once

#include <cstdio>
#include <cstdlib>

// A broken invariant: said on stderr, then a crash that libFuzzer reports
// with the input that caused it.
#define FUZZ_REQUIRE(condition, ...)                                                                \
    do {                                                                                            \
        if (!(condition)) {                                                                         \
            std::fprintf(stderr, "invariant broken at %s:%d: %s\n", __FILE__, __LINE__, #condition); \
            std::fprintf(stderr, __VA_ARGS__);                                                      \
            std::fprintf(stderr, "\n");                                                             \
            std::abort();                                                                           \
        }                                                                                           \
    } while (false)

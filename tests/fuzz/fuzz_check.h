// What a fuzz target does when the code under test breaks a rule it must
// keep: print the rule and abort, which libFuzzer reports as a crash and
// saves the input for.
#pragma once

#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(condition)                                                                 \
    do {                                                                                      \
        if (!(condition)) {                                                                   \
            std::fprintf(stderr, "%s:%d: broken: %s\n", __FILE__, __LINE__, #condition);     \
            std::abort();                                                                     \
        }                                                                                     \
    } while (false)

#pragma once
// The one way a fuzz target reports a broken property: it names the property, then aborts, so that
// libFuzzer keeps the input as a crash file and the run fails.

#include <cstdio>
#include <cstdlib>

namespace qm::fuzz {

[[noreturn]] inline void Broken(const char* property, const char* file, int line) {
    std::fprintf(stderr, "property broken at %s:%d: %s\n", file, line, property);
    std::abort();
}

}  // namespace qm::fuzz

// CHECK(condition) aborts with the condition's text when it does not hold.
#define CHECK(condition)                                        \
    do {                                                        \
        if (!(condition)) {                                     \
            ::qm::fuzz::Broken(#condition, __FILE__, __LINE__); \
        }                                                       \
    } while (false)

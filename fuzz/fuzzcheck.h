#pragma once
// A broken invariant stops the run with a message, so that libFuzzer keeps
// the input that broke it.

#include <QByteArray>
#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(condition)                                                                      \
    ((condition) ? void() : (std::fprintf(stderr, "broken: %s\n", #condition), std::abort()))

inline QByteArray fuzzBytes(const uint8_t* data, size_t size) {
    return {reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)};
}

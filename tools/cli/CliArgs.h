#pragma once
// Option values of the corvane-cli subcommands.

#include <cerrno>
#include <cstdlib>

/// A whole decimal number within [lo, hi] and nothing after it, or false.
inline bool parseIntOption(const char* text, long lo, long hi, int& out) {
    if (!text || !*text) return false;
    char* end = nullptr;
    errno = 0;
    const long v = std::strtol(text, &end, 10);
    if (errno != 0 || *end != '\0' || v < lo || v > hi) return false;
    out = static_cast<int>(v);
    return true;
}

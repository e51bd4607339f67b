#include "core/NumberParse.h"

#include <charconv>
#include <climits>
#include <cmath>

namespace {

std::string_view skipBlanks(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n' ||
                               text[i] == '\r' || text[i] == '\v' || text[i] == '\f'))
        ++i;
    return text.substr(i);
}

}  // namespace

double parseDoublePrefix(std::string_view text) {
    text = skipBlanks(text);
    bool negative = false;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    double value = 0.0;
    auto [ptr, ec] =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
    if (ec == std::errc::result_out_of_range) {
        // from_chars leaves value untouched; strtod would give +-HUGE_VAL or a denormal/zero.
        value = HUGE_VAL;
        for (const char* p = text.data(); p < ptr; ++p)
            if (*p == 'e' || *p == 'E') {
                if (p + 1 < ptr && p[1] == '-') value = 0.0;
                break;
            }
    } else if (ec != std::errc()) {
        return 0.0;
    }
    return negative ? -value : value;
}

long parseLongPrefix(std::string_view text) {
    text = skipBlanks(text);
    bool negative = false;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    unsigned long magnitude = 0;
    auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), magnitude);
    (void)ptr;
    if (ec == std::errc::result_out_of_range) return negative ? LONG_MIN : LONG_MAX;
    if (ec != std::errc()) return 0;
    if (!negative)
        return magnitude > static_cast<unsigned long>(LONG_MAX) ? LONG_MAX
                                                                : static_cast<long>(magnitude);
    if (magnitude > static_cast<unsigned long>(LONG_MAX) + 1ul) return LONG_MIN;
    return static_cast<long>(0ul - magnitude);
}

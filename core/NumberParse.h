#pragma once
// Text to number the way the program reads numbers everywhere: the longest numeric prefix in
// the C convention, "." as decimal separator whatever the UI language. "12abc" reads 12, text
// that is no number reads 0. Leading blanks and a sign are accepted.

#include <string_view>

double parseDoublePrefix(std::string_view text);
long parseLongPrefix(std::string_view text);

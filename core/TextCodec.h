#pragma once
// UTF-8 <-> UTF-16 for the run log and for texts that leave the program in UTF-16.

#include <string>
#include <string_view>

/// Invalid UTF-8 bytes become U+FFFD.
std::u16string utf8ToUtf16(std::string_view text);
/// Unpaired surrogates become U+FFFD.
std::string utf16ToUtf8(std::u16string_view text);

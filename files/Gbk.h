#pragma once
// Code page 936 (GBK) for the data files, through glibc iconv. Each call opens its own
// conversion descriptor, so the process locale is never touched and any thread may convert.

#include <string>
#include <string_view>

/// UTF-8 to GBK. False when text holds a character GBK cannot represent (or invalid UTF-8);
/// bad then holds the first such character as UTF-8 text and out is left unspecified.
bool utf8ToGbk(std::string_view text, std::string& out, std::string* bad = nullptr);

/// GBK to UTF-8. Bytes that are not GBK become U+FFFD, so a damaged file still reads.
std::string gbkToUtf8(std::string_view text);

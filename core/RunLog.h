#pragma once
// The run log: one line per event, "[h:m:s.ms] message" in local time, UTF-16 little-endian
// without byte-order mark, CR LF line ends. Any thread may write; one lock serialises callers.

#include <cstddef>
#include <string>

inline constexpr size_t kLogMessageMaxChars = 512;        ///< longer messages are cut
inline constexpr long long kLogFileMaxBytes = 5'000'000;  ///< a larger file is deleted

/// Where logWrite appends; until a path is set, lines stay pending in memory.
void setRunLogPath(const std::string& path);
std::string runLogPath();

/// printf-style; the message is UTF-8 and is cut at 512 characters (UTF-16 units).
void logWrite(const char* format, ...) __attribute__((format(printf, 1, 2)));
/// The text as it stands, with no format interpretation.
void logWriteText(const std::string& text);

/// Text waiting for the next write (tests of the size rule).
std::u16string pendingLogText();

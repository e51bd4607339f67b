#include "core/RunLog.h"

#include <chrono>
#include <cstdarg>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <mutex>
#include <vector>

#include "core/TextCodec.h"

namespace {

struct RunLog {
    std::mutex lock;
    std::string path;
    std::u16string pending;
};

RunLog& runLog() {
    static RunLog log;
    return log;
}

std::string timePrefix() {
    const auto now = std::chrono::system_clock::now();
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() %
        1000;
    const std::time_t t = std::chrono::system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&t, &local);
    char prefix[48];
    std::snprintf(prefix, sizeof prefix, "[%d:%d:%d.%d] ", local.tm_hour, local.tm_min,
                  local.tm_sec, static_cast<int>(ms));
    return prefix;
}

std::u16string cutMessage(const std::string& message) {
    std::u16string text = utf8ToUtf16(message);
    if (text.size() > kLogMessageMaxChars) {
        size_t cut = kLogMessageMaxChars;
        // never leave half of a surrogate pair behind
        if (text[cut - 1] >= 0xD800 && text[cut - 1] <= 0xDBFF) --cut;
        text.resize(cut);
    }
    return text;
}

// Appends the pending text to the file; called with the lock held.
void flushPending(RunLog& log) {
    if (log.path.empty()) return;
    std::error_code ec;
    const auto size = std::filesystem::file_size(log.path, ec);
    if (!ec && size > static_cast<std::uintmax_t>(kLogFileMaxBytes)) {
        std::filesystem::remove(log.path, ec);
        return;  // the pending text goes into the fresh file with the next line
    }
    std::FILE* f = std::fopen(log.path.c_str(), "ab");
    if (!f) return;
    std::vector<unsigned char> bytes;
    bytes.reserve(log.pending.size() * 2);
    for (char16_t c : log.pending) {
        bytes.push_back(static_cast<unsigned char>(c & 0xFF));
        bytes.push_back(static_cast<unsigned char>(c >> 8));
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    if (std::fclose(f) == 0 && written) log.pending.clear();
}

void append(const std::string& message) {
    RunLog& log = runLog();
    std::lock_guard guard(log.lock);
    log.pending += utf8ToUtf16(timePrefix());
    log.pending += cutMessage(message);
    log.pending += u"\r\n";
    flushPending(log);
}

}  // namespace

void setRunLogPath(const std::string& path) {
    RunLog& log = runLog();
    std::lock_guard guard(log.lock);
    log.path = path;
}

std::string runLogPath() {
    RunLog& log = runLog();
    std::lock_guard guard(log.lock);
    return log.path;
}

void logWrite(const char* format, ...) {
    if (!format) return;
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    const int needed = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string message;
    if (needed > 0) {
        message.resize(static_cast<size_t>(needed) + 1);
        std::vsnprintf(message.data(), message.size(), format, args);
        message.resize(static_cast<size_t>(needed));
    }
    va_end(args);
    append(message);
}

void logWriteText(const std::string& text) {
    append(text);
}

std::u16string pendingLogText() {
    RunLog& log = runLog();
    std::lock_guard guard(log.lock);
    return log.pending;
}

#include "files/Profile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "core/NumberParse.h"
#include "core/RunLog.h"

namespace {

namespace fs = std::filesystem;

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool sameName(std::string_view a, std::string_view b) {
    a = trim(a);
    b = trim(b);
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (lowerAscii(a[i]) != lowerAscii(b[i])) return false;
    return true;
}

// Control bytes other than tab have no place in a text line; they mark binary junk.
bool hasControlByte(std::string_view s) {
    return std::any_of(s.begin(), s.end(), [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return (u < 0x20 && c != '\t') || u == 0x7F;
    });
}

bool isValidUtf8(std::string_view s) {
    size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        int extra = 0;
        unsigned minimum = 0;
        unsigned cp = 0;
        if (c < 0x80) {
            ++i;
            continue;
        } else if ((c & 0xE0) == 0xC0) {
            extra = 1, minimum = 0x80, cp = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            extra = 2, minimum = 0x800, cp = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            extra = 3, minimum = 0x10000, cp = c & 0x07;
        } else {
            return false;
        }
        if (i + extra >= s.size()) return false;
        for (int k = 1; k <= extra; ++k) {
            const auto d = static_cast<unsigned char>(s[i + k]);
            if ((d & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (d & 0x3F);
        }
        if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
        i += extra + 1;
    }
    return true;
}

bool isTextLine(std::string_view s) {
    return !hasControlByte(s) && isValidUtf8(s);
}

enum class LoadResult { kOk, kMissing, kError };

// Reads at most kProfileMaxBytes of path into text; truncated tells whether more was there.
LoadResult readCapped(const std::string& path, std::string& text, bool& truncated) {
    text.clear();
    truncated = false;
    std::error_code ec;
    const fs::file_status st = fs::status(path, ec);
    if (ec || !fs::exists(st)) return LoadResult::kMissing;
    // A folder, a device or a pipe is no file of ours, and reading a pipe could block.
    if (!fs::is_regular_file(st)) return LoadResult::kError;
    std::ifstream in(path, std::ios::binary);
    if (!in) return LoadResult::kError;
    text.resize(kProfileMaxBytes);
    in.read(text.data(), static_cast<std::streamsize>(kProfileMaxBytes));
    text.resize(static_cast<size_t>(in.gcount()));
    if (in.bad()) return LoadResult::kError;
    if (text.size() == kProfileMaxBytes) truncated = in.peek() != std::char_traits<char>::eof();
    return LoadResult::kOk;
}

std::string describeErrno() {
    return std::strerror(errno);
}

// Writes text to a temporary file beside path and renames it over path, so that a reader
// (or a crash) sees either the old file or the whole new one.
bool replaceFileAtomically(const std::string& path, const std::string& text) {
    std::error_code ec;
    fs::path target(path);
    if (fs::is_symlink(target, ec)) {
        const fs::path resolved = fs::canonical(target, ec);
        if (!ec) target = resolved;
    }
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    std::string tmpName = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    const int fd = mkstemp(tmpName.data());
    if (fd < 0) {
        logWrite("Write profile %s failed: %s", path.c_str(), describeErrno().c_str());
        return false;
    }
    struct stat old {};
    const mode_t mode = ::stat(target.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644;
    bool ok = fchmod(fd, mode) == 0;
    const char* p = text.data();
    size_t left = text.size();
    while (ok && left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            ok = false;
            break;
        }
        p += n;
        left -= static_cast<size_t>(n);
    }
    ok = ok && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    ok = ok && ::rename(tmpName.c_str(), target.c_str()) == 0;
    if (!ok) {
        logWrite("Write profile %s failed: %s", path.c_str(), describeErrno().c_str());
        ::unlink(tmpName.c_str());
        return false;
    }
    // The rename itself must reach the disk too, or a power cut could bring back the old file.
    const int dirFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    return true;
}

}  // namespace

// ---------------------------------------------------------------------------------------------

CProfileFile::CProfileFile(std::string_view text) {
    const bool cut = text.size() > kProfileMaxBytes;
    parse(text.substr(0, kProfileMaxBytes), cut);
}

void CProfileFile::parse(std::string_view text, bool cut) {
    lines_.clear();
    if (cut) {
        // The last line was cut in two; half a key is worse than none.
        const size_t end = text.find_last_of("\r\n");
        text = end == std::string_view::npos ? std::string_view() : text.substr(0, end + 1);
    }
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);

    bool inSection = false;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view raw = text.substr(pos, end - pos);
        pos = end;
        if (pos < text.size() && text[pos] == '\r') ++pos;
        if (pos < text.size() && text[pos] == '\n' && (pos == end || text[pos - 1] == '\r')) ++pos;
        if (!isTextLine(raw)) continue;

        const std::string_view t = trim(raw);
        Line line;
        line.raw = std::string(raw);
        if (t.empty()) {
            line.kind = Line::kBlank;
            line.raw.clear();
        } else if (t.front() == ';' || t.front() == '#') {
            line.kind = Line::kComment;
        } else if (t.front() == '[') {
            const size_t close = t.find(']');
            if (close == std::string_view::npos) continue;
            line.kind = Line::kSection;
            line.name = std::string(trim(t.substr(1, close - 1)));
            inSection = true;
        } else {
            const size_t eq = t.find('=');
            if (eq == std::string_view::npos || !inSection) continue;
            line.kind = Line::kKey;
            line.name = std::string(trim(t.substr(0, eq)));
            line.value = std::string(trim(t.substr(eq + 1)));
            if (line.name.empty()) continue;
        }
        lines_.push_back(std::move(line));
    }
}

int CProfileFile::load(const std::string& path) {
    std::string text;
    bool truncated = false;
    const LoadResult r = readCapped(path, text, truncated);
    if (truncated)
        logWrite("Profile %s is larger than %zu bytes; the rest is not read", path.c_str(),
                 kProfileMaxBytes);
    parse(text, truncated);
    return r == LoadResult::kOk ? 1 : (r == LoadResult::kMissing ? 0 : -1);
}

bool CProfileFile::save(const std::string& path) const {
    return replaceFileAtomically(path, text());
}

int CProfileFile::findSection(std::string_view section) const {
    for (size_t i = 0; i < lines_.size(); ++i)
        if (lines_[i].kind == Line::kSection && sameName(lines_[i].name, section))
            return static_cast<int>(i);
    return -1;
}

int CProfileFile::sectionEnd(int s) const {
    int i = s + 1;
    while (i < static_cast<int>(lines_.size()) && lines_[i].kind != Line::kSection)
        ++i;
    return i;
}

std::optional<std::string> CProfileFile::value(std::string_view section,
                                               std::string_view key) const {
    const int s = findSection(section);
    if (s < 0) return std::nullopt;
    const int end = sectionEnd(s);
    for (int i = s + 1; i < end; ++i)
        if (lines_[i].kind == Line::kKey && sameName(lines_[i].name, key)) return lines_[i].value;
    return std::nullopt;
}

bool CProfileFile::setValue(std::string_view section, std::string_view key,
                            std::string_view value) {
    section = trim(section);
    key = trim(key);
    // Anything that would read back as another line, another key or no key is refused: a
    // value with a line break could otherwise plant keys of its own.
    if (section.empty() || key.empty() || !isTextLine(section) || !isTextLine(key) ||
        !isTextLine(value) || section.find(']') != std::string_view::npos ||
        key.find('=') != std::string_view::npos || key.front() == '[' || key.front() == ';' ||
        key.front() == '#')
        return false;

    Line line;
    line.kind = Line::kKey;
    line.name = std::string(key);
    line.value = std::string(trim(value));
    line.raw = line.name + "=" + std::string(value);

    int s = findSection(section);
    if (s < 0) {
        Line head;
        head.kind = Line::kSection;
        head.name = std::string(section);
        head.raw = "[" + head.name + "]";
        lines_.push_back(std::move(head));
        lines_.push_back(std::move(line));
        return true;
    }
    const int end = sectionEnd(s);
    int lastContent = s;
    for (int i = s + 1; i < end; ++i) {
        if (lines_[i].kind == Line::kKey && sameName(lines_[i].name, key)) {
            line.name = lines_[i].name;  // the file's spelling of the key stays
            line.raw = line.name + "=" + std::string(value);
            lines_[i] = std::move(line);
            return true;
        }
        if (lines_[i].kind != Line::kBlank) lastContent = i;
    }
    lines_.insert(lines_.begin() + lastContent + 1, std::move(line));
    return true;
}

bool CProfileFile::removeKey(std::string_view section, std::string_view key) {
    const int s = findSection(section);
    if (s < 0) return false;
    const int end = sectionEnd(s);
    const auto first = lines_.begin() + s + 1;
    const auto last = lines_.begin() + end;
    const auto kept = std::remove_if(
        first, last, [&](const Line& l) { return l.kind == Line::kKey && sameName(l.name, key); });
    if (kept == last) return false;
    lines_.erase(kept, last);
    return true;
}

std::vector<std::string> CProfileFile::sectionNames() const {
    std::vector<std::string> names;
    for (const Line& l : lines_)
        if (l.kind == Line::kSection) names.push_back(l.name);
    return names;
}

std::vector<std::string> CProfileFile::keys(std::string_view section) const {
    std::vector<std::string> names;
    const int s = findSection(section);
    if (s < 0) return names;
    const int end = sectionEnd(s);
    for (int i = s + 1; i < end; ++i)
        if (lines_[i].kind == Line::kKey) names.push_back(lines_[i].name);
    return names;
}

std::string CProfileFile::text() const {
    std::string out;
    for (const Line& l : lines_) {
        out += l.raw;
        out += "\r\n";
    }
    return out;
}

// ---------------------------------------------------------------------------------------------

size_t utf8Length(std::string_view text) {
    return static_cast<size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

std::string utf8Prefix(std::string_view text, size_t maxChars) {
    size_t chars = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
            if (chars == maxChars) return std::string(text.substr(0, i));
            ++chars;
        }
    }
    return std::string(text);
}

std::string readProfileString(const std::string& path, std::string_view section,
                              std::string_view key, std::string_view defaultValue,
                              size_t maxChars) {
    CProfileFile file;
    file.load(path);
    const std::optional<std::string> v = file.value(section, key);
    return utf8Prefix(v ? std::string_view(*v) : defaultValue, maxChars);
}

int readProfileInt(const std::string& path, std::string_view section, std::string_view key,
                   int defaultValue) {
    CProfileFile file;
    file.load(path);
    const std::optional<std::string> v = file.value(section, key);
    if (!v) return defaultValue;
    return static_cast<int>(std::clamp<long>(parseLongPrefix(*v), INT_MIN, INT_MAX));
}

bool writeProfileString(const std::string& path, std::string_view section, std::string_view key,
                        std::string_view value) {
    CProfileFile file;
    // A file that is there but cannot be read must not be replaced by one holding one key.
    if (file.load(path) < 0) {
        logWrite("Write profile %s failed: the file cannot be read", path.c_str());
        return false;
    }
    if (!file.setValue(section, key, value)) {
        logWrite("Write profile %s: key [%.*s] %.*s refused (line break or control byte)",
                 path.c_str(), static_cast<int>(section.size()), section.data(),
                 static_cast<int>(key.size()), key.data());
        return false;
    }
    return file.save(path);
}

// ---------------------------------------------------------------------------------------------

namespace {

int clampToInt(long v) {
    return static_cast<int>(std::clamp<long>(v, INT_MIN, INT_MAX));
}

}  // namespace

int IniValue::text(std::string_view section, std::string_view key, std::string& variable,
                   std::string_view defaultValue) {
    if (direction_ == kWrite) return writeProfileString(path_, section, key, variable) ? 1 : 0;
    variable = readProfileString(path_, section, key, defaultValue, 256);
    return static_cast<int>(utf8Length(variable));
}

int IniValue::integer(std::string_view section, std::string_view key, int& variable,
                      int defaultValue) {
    char buffer[32];
    if (direction_ == kWrite) {
        std::snprintf(buffer, sizeof buffer, "%d", variable);
        return writeProfileString(path_, section, key, buffer) ? 1 : 0;
    }
    std::snprintf(buffer, sizeof buffer, "%d", defaultValue);
    const std::string t = readProfileString(path_, section, key, buffer, 256);
    variable = clampToInt(parseLongPrefix(t));
    return static_cast<int>(utf8Length(t));
}

int IniValue::number(std::string_view section, std::string_view key, double& variable,
                     double defaultValue) {
    // "%.9f" of 1e308 needs over 300 digits.
    char buffer[512];
    if (direction_ == kWrite) {
        std::snprintf(buffer, sizeof buffer, "%.9f", variable);
        return writeProfileString(path_, section, key, buffer) ? 1 : 0;
    }
    std::snprintf(buffer, sizeof buffer, "%.9f", defaultValue);
    const std::string t = readProfileString(path_, section, key, buffer, 256);
    variable = parseDoublePrefix(t);
    return static_cast<int>(utf8Length(t));
}

int IniValue::flag(std::string_view section, std::string_view key, int& variable,
                   int defaultValue) {
    if (direction_ == kWrite)
        return writeProfileString(path_, section, key, variable == 1 ? "1" : "0") ? 1 : 0;
    const std::string t =
        readProfileString(path_, section, key, defaultValue == 1 ? "1" : "0", 256);
    variable = parseLongPrefix(t) == 1 ? 1 : 0;
    return static_cast<int>(utf8Length(t));
}

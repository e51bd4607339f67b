#pragma once
// The program's initialization files: sections and keys, read and written one key at a time.
//
// Sections and keys match without regard to ASCII case; blanks around section names, keys and
// values are trimmed, so a key written "Device " in a file header is found as "Device". A read
// takes the first matching section and the first matching key in it. Lines end with CR LF, LF
// or CR when read; everything is written with CR LF.
//
// A file is read up to kProfileMaxBytes; a larger file is read up to that size (the cut line is
// dropped), which keeps a damaged or hostile file from eating the memory. Lines with control
// bytes or invalid UTF-8 and lines that are neither a section, a key, a comment nor blank are
// never read as keys, and a write leaves them out, so one write turns a damaged file into a
// clean one. The writer is meant for files that are initialization files as a whole (the
// configuration), not for data files that carry a header in this form.
//
// Every write replaces the file atomically: the new text goes to a temporary file in the same
// folder, which is then renamed over the old one. A crash mid-write leaves the old file.
//
// Used on the UI thread; calls on different files may run on any thread.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

inline constexpr size_t kProfileMaxBytes = 1 << 20;  ///< 1 MiB read from any file at most

/// One initialization file held in memory: read once, queried and changed, written back.
class CProfileFile {
  public:
    CProfileFile() = default;
    /// Parses text as it would be read from a file (cut at kProfileMaxBytes).
    explicit CProfileFile(std::string_view text);

    /// Reads path: 1 read, 0 no such file (an empty profile), -1 the file is there but cannot
    /// be read (an empty profile too, which must not be saved over it).
    int load(const std::string& path);
    /// Writes the profile to path atomically; false when the folder is missing or not writable.
    bool save(const std::string& path) const;

    /// Value of key in section, trimmed; nullopt when the section or the key is missing.
    std::optional<std::string> value(std::string_view section, std::string_view key) const;
    /// Replaces the first key in place, else appends it to the first matching section, else
    /// appends the section with the key. False (and nothing changed) when the section, key or
    /// value holds a line break or a control byte, or the key is empty or holds "=".
    bool setValue(std::string_view section, std::string_view key, std::string_view value);
    /// Removes every line of key in the first matching section; true when one was removed.
    bool removeKey(std::string_view section, std::string_view key);

    std::vector<std::string> sectionNames() const;
    /// Keys of the first matching section, in file order.
    std::vector<std::string> keys(std::string_view section) const;

    /// The clean text, CR LF line ends.
    std::string text() const;

  private:
    struct Line {
        enum Kind { kBlank, kComment, kSection, kKey } kind = kBlank;
        std::string raw;    ///< comments and blank lines as they stood
        std::string name;   ///< section name or key, trimmed
        std::string value;  ///< key value, trimmed
    };

    // cut: the text was cut at the size cap, so its last line is incomplete.
    void parse(std::string_view text, bool cut);
    // Index of the section line of the first matching section, or -1.
    int findSection(std::string_view section) const;
    // End of the section starting at line index s: the index of the next section line or size.
    int sectionEnd(int s) const;

    std::vector<Line> lines_;
};

/// The value of key, or defaultValue when the file, section or key is missing; cut to at most
/// maxChars characters (code points).
std::string readProfileString(const std::string& path, std::string_view section,
                              std::string_view key, std::string_view defaultValue,
                              size_t maxChars = 256);
/// The value of key as an integer in the C convention ("12abc" reads 12, text no number 0),
/// or defaultValue when missing.
int readProfileInt(const std::string& path, std::string_view section, std::string_view key,
                   int defaultValue);
/// Writes one key, creating section and file as needed; false when the file cannot be written.
bool writeProfileString(const std::string& path, std::string_view section, std::string_view key,
                        std::string_view value);

/// Number of characters (code points) of UTF-8 text.
size_t utf8Length(std::string_view text);
/// The first maxChars characters (code points) of UTF-8 text.
std::string utf8Prefix(std::string_view text, size_t maxChars);

/// Typed access to one key in either direction: direction kRead fills the variable from the
/// file, kWrite writes it. Reads return the number of characters of the text read (the
/// default's when the key is missing); writes return 1 on success, 0 on failure.
class IniValue {
  public:
    enum Direction { kRead = 0, kWrite = 1 };

    IniValue(std::string path, int direction) : path_(std::move(path)), direction_(direction) {}

    /// Up to 256 characters as they stand.
    int text(std::string_view section, std::string_view key, std::string& variable,
             std::string_view defaultValue);
    /// Read with the default formatted "%d"; written "%d".
    int integer(std::string_view section, std::string_view key, int& variable, int defaultValue);
    /// Read with the default formatted "%.9f"; written "%.9f".
    int number(std::string_view section, std::string_view key, double& variable,
               double defaultValue);
    /// True only when the text converts to 1; written "1" when the variable is 1, else "0".
    int flag(std::string_view section, std::string_view key, int& variable, int defaultValue = 0);

    const std::string& path() const { return path_; }
    int direction() const { return direction_; }

  private:
    std::string path_;
    int direction_;
};

#pragma once
// Small helpers shared by the tests: a temporary folder, a message handler that answers at once
// and records what was shown, and reading a UTF-16 run log back.

#include <filesystem>
#include <string>
#include <vector>

#include "core/Messages.h"

/// A fresh folder under the system's temporary folder, removed with the object.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    const std::filesystem::path& path() const { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

  private:
    std::filesystem::path path_;
};

/// Installs itself as the message handler for its lifetime.
class MessageRecorder {
  public:
    explicit MessageRecorder(int answer = kMsgAnswerOk);
    ~MessageRecorder();
    std::vector<MessageRequest> shown;

  private:
    MessageHandler previous_;
};

/// The bytes of a file; empty when missing.
std::string readFile(const std::string& path);
/// Replaces a file with bytes.
void writeFile(const std::string& path, const std::string& bytes);

/// The run log at path as UTF-8 text; empty when missing.
std::string readUtf16File(const std::string& path);

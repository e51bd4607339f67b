#include "files/Settings.h"

#include <sys/stat.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <optional>

#include "core/NumberParse.h"
#include "core/RunLog.h"
#include "core/SpectrumData.h"
#include "files/AppPaths.h"
#include "files/Profile.h"

namespace {

constexpr const char* kDisplay = "Display";
constexpr const char* kFileOptions = "FileOptions";
constexpr const char* kReflectivity = "Reflectivity";
constexpr const char* kSystem = "System";
constexpr const char* kInstallTimeSection = "InstallTime";

constexpr size_t kShortValueChars = 16;
constexpr size_t kPathValueChars = 256;
constexpr size_t kInstallTimeChars = 64;

int toInt(const std::string& text) {
    return static_cast<int>(std::clamp<long>(parseLongPrefix(text), INT_MIN, INT_MAX));
}

// One key as the platform reads it: the value cut to maxChars, or the default text.
std::string readText(const CProfileFile& file, const char* section, const char* key,
                     const char* defaultValue, size_t maxChars) {
    const std::optional<std::string> v = file.value(section, key);
    return utf8Prefix(v ? *v : std::string(defaultValue), maxChars);
}

int readInt(const CProfileFile& file, const char* section, const char* key,
            const char* defaultValue) {
    return toInt(readText(file, section, key, defaultValue, kShortValueChars));
}

void setInt(CProfileFile& file, const char* section, const char* key, int value) {
    file.setValue(section, key, std::to_string(value));
}

// Loads the configuration for a batch of writes; false when it is there but unreadable, so a
// save never replaces a file it could not read with one holding only its own keys.
bool loadForWrite(CProfileFile& file, const std::string& path) {
    if (file.load(path) >= 0) return true;
    logWrite("Save configuration %s failed: the file cannot be read", path.c_str());
    return false;
}

bool setText(CProfileFile& file, const char* section, const char* key, const std::string& v) {
    if (file.setValue(section, key, v)) return true;
    logWrite("Configuration [%s] %s not saved: the text holds a line break or a control byte",
             section, key);
    return false;
}

}  // namespace

CSettings::CSettings(std::string configPath, std::string recordDir)
    : configPath_(std::move(configPath)), recordDir_(std::move(recordDir)) {}

void CSettings::setPaths(std::string configPath, std::string recordDir) {
    configPath_ = std::move(configPath);
    recordDir_ = std::move(recordDir);
}

int CSettings::loadSettings(CSpectrumData& record) {
    CProfileFile file;
    file.load(configPath_);
    bkColor = readInt(file, kDisplay, "BkColor", "16777215");
    // Large icons were never offered; the stored flag is read and then dropped, so the toolbar
    // always starts small and the next save writes 0.
    (void)readInt(file, kDisplay, "BigIcon", "0");
    bigIcon = 0;
    legend = readInt(file, kDisplay, "Legend", "0");
    hideControlPane = readInt(file, kDisplay, "HideControlPane", "0");
    fileFormat = readInt(file, kFileOptions, "FileFormat", "0");
    targetDir = toSlashPath(readText(file, kFileOptions, "TargetDir", "", kPathValueChars));
    if (targetDir.empty()) targetDir = recordDir_;
    baseName = readText(file, kFileOptions, "BaseName", "", kPathValueChars);
    fileSuffix = readInt(file, kFileOptions, "FileSuffix", "2");
    noUseWhiteBoard = readInt(file, kReflectivity, "NoUseWhiteBoard", "0");
    IniValue(configPath_, IniValue::kRead)
        .flag(kSystem, "NonlinearCorrection", nonlinearCorrection);
    record.nonlinearEnabled = nonlinearCorrection;
    return 1;
}

int CSettings::saveSettings(CSpectrumData& record) {
    record.nonlinearEnabled = nonlinearCorrection;
    CProfileFile file;
    if (!loadForWrite(file, configPath_)) return 0;
    setInt(file, kDisplay, "BkColor", bkColor);
    setInt(file, kDisplay, "BigIcon", bigIcon);
    setInt(file, kDisplay, "Legend", legend);
    setInt(file, kDisplay, "HideControlPane", hideControlPane);
    setInt(file, kFileOptions, "FileFormat", fileFormat);
    bool allTaken = setText(file, kFileOptions, "TargetDir", targetDir);
    allTaken = setText(file, kFileOptions, "BaseName", baseName) && allTaken;
    setInt(file, kFileOptions, "FileSuffix", fileSuffix);
    setInt(file, kReflectivity, "NoUseWhiteBoard", noUseWhiteBoard);
    file.setValue(kSystem, "NonlinearCorrection", nonlinearCorrection == 1 ? "1" : "0");
    // The other keys are saved even when a text was refused; the result still tells.
    return file.save(configPath_) && allTaken ? 1 : 0;
}

int CSettings::writeBkColor() {
    return writeProfileString(configPath_, kDisplay, "BkColor", std::to_string(bkColor)) ? 1 : 0;
}

int CSettings::writeOptions(int languageValue) {
    CProfileFile file;
    if (!loadForWrite(file, configPath_)) return 0;
    setInt(file, kDisplay, "BkColor", bkColor);
    setInt(file, kDisplay, "BigIcon", bigIcon);
    setInt(file, kDisplay, "Language", languageValue);
    setInt(file, kFileOptions, "FileFormat", fileFormat);
    bool allTaken = setText(file, kFileOptions, "TargetDir", targetDir);
    allTaken = setText(file, kFileOptions, "BaseName", baseName) && allTaken;
    setInt(file, kFileOptions, "FileSuffix", fileSuffix);
    return file.save(configPath_) && allTaken ? 1 : 0;
}

int CSettings::readNonlinearCorrection() const {
    int on = 0;
    IniValue(configPath_, IniValue::kRead).flag(kSystem, "NonlinearCorrection", on);
    return on;
}

int readLanguageSetting(const std::string& configPath) {
    return toInt(readProfileString(configPath, kDisplay, "Language", "0", kShortValueChars));
}

std::string readInstallTime(const std::string& configPath) {
    return readProfileString(configPath, kInstallTimeSection, "InstallTime", "0",
                             kInstallTimeChars);
}

int writeInstallTime(const std::string& configPath, const std::string& stamp) {
    return writeProfileString(configPath, kInstallTimeSection, "InstallTime", stamp) ? 1 : 0;
}

std::string formatInstallTime(int year, int month, int day, int hour, int minute, int second) {
    char buffer[96];
    std::snprintf(buffer, sizeof buffer, "%d-%d-%d_%d-%d-%d", year, month, day, hour, minute,
                  second);
    return buffer;
}

std::string fileInstallTime(const std::string& file) {
    struct stat st {};
    if (::stat(file.c_str(), &st) != 0) return {};
    std::tm local{};
    const std::time_t t = st.st_mtime;
    if (!localtime_r(&t, &local)) return {};
    return formatInstallTime(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                             local.tm_min, local.tm_sec);
}

bool updateInstallTime(const std::string& configPath, const std::string& stamp) {
    if (stamp.empty() || readInstallTime(configPath) == stamp) return false;
    writeInstallTime(configPath, stamp);
    return true;
}

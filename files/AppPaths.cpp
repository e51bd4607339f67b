#include "files/AppPaths.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "core/RunLog.h"
#include "device/Driver.h"
#include "files/Profile.h"
#include "resources/FilesStrings.h"
#include "resources/StringTable.h"

namespace {

namespace fs = std::filesystem;

constexpr size_t kAppNameMaxChars = 256;
constexpr size_t kManualMaxChars = 128;
constexpr size_t kResourceMaxChars = 256;

std::string homeFolder() {
    if (const char* home = std::getenv("HOME"); home && *home) return home;
    if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir) return pw->pw_dir;
    return {};
}

// The application name becomes a folder name under the user's data folder: anything that
// could lead out of it or into a subfolder is no name.
bool isPlainFolderName(const std::string& name) {
    if (name.empty() || name == "." || name == "..") return false;
    for (char c : name)
        if (c == '/' || c == '\\' || static_cast<unsigned char>(c) < 0x20) return false;
    return true;
}

std::string format(int id, const std::string& a, const std::string& b = {}) {
    const char* pattern = loadString(id);
    const int n = std::snprintf(nullptr, 0, pattern, a.c_str(), b.c_str());
    std::string out(n > 0 ? static_cast<size_t>(n) : 0, '\0');
    if (n > 0) std::snprintf(out.data(), out.size() + 1, pattern, a.c_str(), b.c_str());
    return out;
}

std::string createFolder(const std::string& folder) {
    std::error_code ec;
    if (fs::is_directory(folder, ec)) return {};
    if (fs::exists(folder, ec)) return format(FilesStr::kFolderIsFile, folder);
    fs::create_directories(folder, ec);
    if (ec) return format(FilesStr::kFolderCreateFailed, folder, ec.message());
    return {};
}

std::string resourcePath(const std::string& resourceDir, const std::string& name) {
    return name.empty() ? std::string() : joinPath(resourceDir, toSlashPath(name));
}

}  // namespace

const std::string& BrandingInfo::manualFor(int languageValue) const {
    if (languageValue == 1) return manualSimplifiedChinese;
    if (languageValue == 2) return manualTraditionalChinese;
    return manualEnglish;
}

std::string toSlashPath(std::string path) {
    for (char& c : path)
        if (c == '\\') c = '/';
    return path;
}

std::string joinPath(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    if (folder.back() == '/') return folder + name;
    return folder + "/" + name;
}

std::string userDataRoot() {
    // The XDG rule: a relative XDG_DATA_HOME is invalid and is ignored.
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && xdg[0] == '/') {
        std::string root = xdg;
        while (root.size() > 1 && root.back() == '/')
            root.pop_back();
        return root;
    }
    return joinPath(homeFolder(), ".local/share");
}

BrandingInfo readBranding(const std::string& programDir) {
    const std::string file = joinPath(programDir, "system.ini");
    CProfileFile profile;
    profile.load(file);
    auto read = [&](const char* section, const char* key, size_t maxChars) {
        const std::optional<std::string> v = profile.value(section, key);
        return v ? utf8Prefix(*v, maxChars) : std::string();
    };
    BrandingInfo b;
    if (const std::optional<std::string> app = profile.value("Setting", "APP")) {
        const std::string name = utf8Prefix(*app, kAppNameMaxChars);
        if (isPlainFolderName(name)) {
            b.appName = name;
        } else {
            logWrite("system.ini: APP \"%s\" is no folder name, \"%s\" is used", name.c_str(),
                     kDefaultAppName);
        }
    }
    b.manualEnglish = toSlashPath(read("Manual", "English", kManualMaxChars));
    b.manualSimplifiedChinese = toSlashPath(read("Manual", "Simplified Chinese", kManualMaxChars));
    b.manualTraditionalChinese =
        toSlashPath(read("Manual", "Traditional Chinese", kManualMaxChars));
    return b;
}

ResourceInfo readResourceInfo(const std::string& resourceFile, const std::string& resourceDir) {
    CProfileFile profile;
    profile.load(resourceFile);
    auto read = [&](const char* key) {
        const std::optional<std::string> v = profile.value("RES", key);
        return v ? utf8Prefix(*v, kResourceMaxChars) : std::string();
    };
    ResourceInfo r;
    r.appIcon = resourcePath(resourceDir, read("APP_ICON"));
    r.email = read("email");
    r.websiteText = read("website_text");
    r.websiteUrl = read("website_url");
    r.startPage = resourcePath(resourceDir, read("start_page"));
    r.aboutIcon = resourcePath(resourceDir, read("about_icon"));
    r.aboutBmp = resourcePath(resourceDir, read("about_bmp"));
    const std::string version = read("Version");
    if (!version.empty()) r.version = version;
    return r;
}

AppPaths buildAppPaths(const std::string& programDir, const std::string& dataRoot,
                       const std::string& appName) {
    AppPaths p;
    p.programDir = programDir;
    while (p.programDir.size() > 1 && p.programDir.back() == '/')
        p.programDir.pop_back();
    p.brandingFile = joinPath(p.programDir, "system.ini");
    p.userDataRoot = dataRoot;
    p.appName = appName;
    p.dataDir = joinPath(dataRoot, appName);
    p.recordDir = joinPath(p.dataDir, "Record");
    p.resourceDir = joinPath(p.dataDir, "res");
    p.resourceFile = joinPath(p.resourceDir, appName + "_res.ini");
    p.runLogPath = joinPath(p.dataDir, "runlog.log");
    p.configPath = joinPath(p.dataDir, "config.ini");
    return p;
}

AppSetup readAppSetup(const std::string& programDir, const std::string& dataRoot) {
    AppSetup setup;
    const std::string program = programDir.empty() ? programDirectory() : programDir;
    setup.branding = readBranding(program);
    setup.paths = buildAppPaths(program, dataRoot.empty() ? userDataRoot() : dataRoot,
                                setup.branding.appName);
    setup.resources = readResourceInfo(setup.paths.resourceFile, setup.paths.resourceDir);
    return setup;
}

std::string createAppFolders(const AppPaths& paths) {
    if (std::string error = createFolder(paths.dataDir); !error.empty()) return error;
    // Found now rather than at the first save, whose failure nobody would see.
    if (::access(paths.dataDir.c_str(), W_OK | X_OK) != 0)
        return format(FilesStr::kFolderNotWritable, paths.dataDir);
    return createFolder(paths.recordDir);
}

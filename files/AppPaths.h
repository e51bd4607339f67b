#pragma once
// Where the program keeps its files: the branding file beside the program, the data folder
// under the user's data folder, the Record folder, the resource folder and file, the run log and
// the configuration. Built once at start-up on the UI thread; the application object keeps the
// result for the whole run.
//
// Paths are joined with "/"; names read from the branding and resource files may use "\".

#include <string>

inline constexpr const char* kDefaultAppName = "Corvane";
inline constexpr const char* kDefaultVersion = "2.0.6";

/// The branding file "system.ini" beside the program (installed with it, never written).
struct BrandingInfo {
    std::string appName = kDefaultAppName;  ///< [Setting] APP
    std::string manualEnglish;              ///< [Manual] English, relative to the program folder
    std::string manualSimplifiedChinese;    ///< [Manual] Simplified Chinese
    std::string manualTraditionalChinese;   ///< [Manual] Traditional Chinese

    /// The manual's file name for the stored Language value: 1 Simplified Chinese,
    /// 2 Traditional Chinese, any other English.
    const std::string& manualFor(int languageValue) const;
};

/// The resource file "<res>/<APP>_res.ini", section RES. The file names are already joined to
/// the resource folder; a name that is empty in the file stays an empty path.
struct ResourceInfo {
    std::string appIcon;      ///< APP_ICON: icon of the export notification window
    std::string email;        ///< email: e-mail line of the About box
    std::string websiteText;  ///< website_text
    std::string websiteUrl;   ///< website_url
    std::string startPage;    ///< start_page: splash image
    std::string aboutIcon;    ///< about_icon: icon of the main window and the About box
    std::string aboutBmp;     ///< about_bmp: when set, the About box shows only this picture
    std::string version = kDefaultVersion;  ///< Version; "2.0.6" when empty or missing
};

struct AppPaths {
    std::string programDir;    ///< folder of the executable, no trailing "/"
    std::string brandingFile;  ///< <program>/system.ini
    std::string userDataRoot;  ///< $XDG_DATA_HOME, default ~/.local/share
    std::string appName;       ///< [Setting] APP of the branding file
    std::string dataDir;       ///< <root>/<APP>
    std::string recordDir;     ///< <root>/<APP>/Record
    std::string resourceDir;   ///< <data>/res
    std::string resourceFile;  ///< <res>/<APP>_res.ini
    std::string runLogPath;    ///< <data>/runlog.log
    std::string configPath;    ///< <data>/config.ini
};

/// Everything start-up reads before the data folder exists.
struct AppSetup {
    BrandingInfo branding;
    ResourceInfo resources;
    AppPaths paths;
};

/// $XDG_DATA_HOME when it is an absolute path, else $HOME/.local/share.
std::string userDataRoot();

/// Reads "system.ini" in programDir. An APP value that is empty or no plain folder name (it
/// holds "/" or "\", or is "." or "..") is logged and replaced by "Corvane", so the data folder
/// always lies inside the user's data folder.
BrandingInfo readBranding(const std::string& programDir);

/// Reads the resource file at resourceFile; resourceDir is the folder the names are joined to.
ResourceInfo readResourceInfo(const std::string& resourceFile, const std::string& resourceDir);

/// The paths of the table for that program folder, data root and application name.
AppPaths buildAppPaths(const std::string& programDir, const std::string& dataRoot,
                       const std::string& appName);

/// Start-up's first step: the branding file, the paths, the resource file. programDir empty
/// means programDirectory(); dataRoot empty means userDataRoot().
AppSetup readAppSetup(const std::string& programDir = {}, const std::string& dataRoot = {});

/// Creates the data folder and the Record folder (existing folders are fine) and checks that
/// the data folder can be written. Empty on success, else a message in the UI language that
/// names the folder and the reason, for the shell to show at start-up.
std::string createAppFolders(const AppPaths& paths);

/// "\" turned into "/" (names read from the branding and resource files).
std::string toSlashPath(std::string path);
/// folder + "/" + name, without doubling a "/" at the end of folder.
std::string joinPath(const std::string& folder, const std::string& name);

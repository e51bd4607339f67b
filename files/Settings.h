#pragma once
// The settings the main frame keeps in memory and the configuration file "config.ini" they
// persist in: [Display], [FileOptions], [Reflectivity] and [System]. Owned by the main frame,
// used on the UI thread only.
//
// Missing files and keys give the defaults; values are converted without validation (a
// non-numeric text reads as 0). Write failures are logged and reported by the return value,
// never shown.

#include <string>

class CSpectrumData;

inline constexpr int kDefaultBkColor = 16777215;  ///< white, 0x00BBGGRR
inline constexpr int kFileSuffixTimestamp = 0;
inline constexpr int kFileSuffixFileCount = 1;
inline constexpr int kFileSuffixCustomised = 2;

class CSettings {
  public:
    CSettings() = default;
    /// configPath: the configuration file; recordDir: exports go there when TargetDir is empty.
    CSettings(std::string configPath, std::string recordDir);

    void setPaths(std::string configPath, std::string recordDir);
    const std::string& configPath() const { return configPath_; }
    const std::string& recordDir() const { return recordDir_; }

    /// Reads the four sections into the members (BigIcon is read but not applied: the flag
    /// stays 0); NonlinearCorrection also goes to record.nonlinearEnabled. Returns 1.
    int loadSettings(CSpectrumData& record);
    /// Writes BkColor, BigIcon, Legend, HideControlPane, FileFormat, TargetDir, BaseName,
    /// FileSuffix, NoUseWhiteBoard and NonlinearCorrection in one atomic replacement of the
    /// file, and copies NonlinearCorrection into record.nonlinearEnabled. 1 when written; 0
    /// when the file could not be written or a text with a line break was left out.
    int saveSettings(CSpectrumData& record);

    /// [Display] BkColor alone (the colour application and applying the colour to a view).
    int writeBkColor();
    /// What Options OK writes: BkColor, BigIcon, Language, FileFormat, TargetDir, BaseName,
    /// FileSuffix. 1 when written.
    int writeOptions(int languageValue);
    /// [System] NonlinearCorrection as stored (the control pane's initial state).
    int readNonlinearCorrection() const;

    // [Display]
    int bkColor = kDefaultBkColor;  ///< chart background, 0x00BBGGRR
    int bigIcon = 0;                ///< large toolbar icons; never applied, so always 0
    int legend = 0;                 ///< legends shown in the charts
    int hideControlPane = 0;        ///< acquisition control pane hidden
    // [FileOptions]
    int fileFormat = 0;                      ///< 0 "ASCII", 1 "ASCII ( with header data )"
    std::string targetDir;                   ///< export folder; the Record folder when empty
    std::string baseName;                    ///< base name of exported files
    int fileSuffix = kFileSuffixCustomised;  ///< 0 Timestamp, 1 File Count, 2 Customised
    // [Reflectivity]
    int noUseWhiteBoard = 0;  ///< reflectivity without a white-board file
    // [System]
    int nonlinearCorrection = 0;  ///< nonlinear correction switch

  private:
    std::string configPath_;
    std::string recordDir_;
};

/// [Display] Language as stored (default 0): 0 English, 1 Simplified Chinese, any other
/// Traditional Chinese; languageIdFromSetting() turns it into a language id.
int readLanguageSetting(const std::string& configPath);

/// [InstallTime] InstallTime as stored, "0" when missing (at most 64 characters).
std::string readInstallTime(const std::string& configPath);
int writeInstallTime(const std::string& configPath, const std::string& stamp);
/// "%d-%d-%d_%d-%d-%d" of year, month, day, hour, minute, second.
std::string formatInstallTime(int year, int month, int day, int hour, int minute, int second);
/// The modification time of file in local time, formatted as above; empty when it is missing.
std::string fileInstallTime(const std::string& file);
/// Start-up's installation check: true when stamp differs from the recorded time, which is
/// then replaced by stamp. An empty stamp (no installation found) changes nothing.
bool updateInstallTime(const std::string& configPath, const std::string& stamp);

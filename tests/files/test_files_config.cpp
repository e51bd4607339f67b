#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/RunLog.h"
#include "core/SpectrumData.h"
#include "files/AppPaths.h"
#include "files/Profile.h"
#include "files/Settings.h"
#include "resources/StringTable.h"
#include "tests/support/TestSupport.h"

namespace {

namespace fs = std::filesystem;

class ConfigTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::create_directories(program);
        paths = buildAppPaths(program, dir.file("share"), "Corvane");
        ASSERT_EQ(createAppFolders(paths), "");
        settings.setPaths(paths.configPath, paths.recordDir);
    }
    TempDir dir;
    std::string program = dir.file("bin");
    AppPaths paths;
    CSettings settings;
    CSpectrumData record;
};

TEST_F(ConfigTest, NoFileGivesEveryDefault) {
    settings.bigIcon = 1;
    settings.loadSettings(record);
    EXPECT_EQ(languageIdFromSetting(readLanguageSetting(paths.configPath)), kLangEnglish);
    EXPECT_EQ(settings.bkColor, 16777215);  // white chart background
    EXPECT_EQ(settings.bigIcon, 0);
    EXPECT_EQ(settings.legend, 0);
    EXPECT_EQ(settings.hideControlPane, 0);
    EXPECT_EQ(settings.fileFormat, 0);
    EXPECT_EQ(settings.fileSuffix, kFileSuffixCustomised);
    EXPECT_EQ(settings.targetDir, paths.recordDir);  // exports go to the Record folder
    EXPECT_EQ(settings.baseName, "");
    EXPECT_EQ(settings.noUseWhiteBoard, 0);
    EXPECT_EQ(settings.nonlinearCorrection, 0);
    EXPECT_EQ(record.nonlinearEnabled, 0);
    EXPECT_EQ(readInstallTime(paths.configPath), "0");
    EXPECT_FALSE(fs::exists(paths.configPath));  // created by the first write only
}

TEST_F(ConfigTest, LanguageSetting) {
    struct Case {
        const char* stored;  // nullptr: no key
        int languageId;
    };
    const std::vector<Case> cases = {{nullptr, kLangEnglish},        {"0", kLangEnglish},
                                     {"1", kLangSimplifiedChinese},  {"2", kLangTraditionalChinese},
                                     {"5", kLangTraditionalChinese}, {"7", kLangTraditionalChinese},
                                     {"english", kLangEnglish}};  // no number reads 0
    for (const Case& c : cases) {
        fs::remove(paths.configPath);
        if (c.stored) {
            ASSERT_TRUE(writeProfileString(paths.configPath, "Display", "Language", c.stored));
        }
        EXPECT_EQ(languageIdFromSetting(readLanguageSetting(paths.configPath)), c.languageId)
            << (c.stored ? c.stored : "(missing)");
    }
}

TEST_F(ConfigTest, BigIconStartsSmallAndSavesZero) {
    writeFile(paths.configPath, "[Display]\r\nBigIcon=1\r\nBkColor=255\r\n");
    settings.loadSettings(record);
    EXPECT_EQ(settings.bigIcon, 0);
    EXPECT_EQ(settings.bkColor, 255);
    ASSERT_EQ(settings.saveSettings(record), 1);
    EXPECT_EQ(readProfileString(paths.configPath, "Display", "BigIcon", ""), "0");
}

TEST_F(ConfigTest, SaveWritesTheKeysInOrderAndLoadReadsThemBack) {
    settings.bkColor = 0x00FF8040;
    settings.legend = 1;
    settings.hideControlPane = 1;
    settings.fileFormat = 1;
    settings.targetDir = dir.file("exports");
    settings.baseName = "sample 光谱";
    settings.fileSuffix = kFileSuffixFileCount;
    settings.noUseWhiteBoard = 1;
    settings.nonlinearCorrection = 1;
    ASSERT_EQ(settings.saveSettings(record), 1);
    EXPECT_EQ(record.nonlinearEnabled, 1);
    EXPECT_EQ(readFile(paths.configPath),
              "[Display]\r\nBkColor=16744512\r\nBigIcon=0\r\nLegend=1\r\nHideControlPane=1\r\n"
              "[FileOptions]\r\nFileFormat=1\r\nTargetDir=" +
                  dir.file("exports") +
                  "\r\nBaseName=sample 光谱\r\nFileSuffix=1\r\n"
                  "[Reflectivity]\r\nNoUseWhiteBoard=1\r\n[System]\r\nNonlinearCorrection=1\r\n");

    CSettings again(paths.configPath, paths.recordDir);
    CSpectrumData other;
    again.loadSettings(other);
    EXPECT_EQ(again.bkColor, 0x00FF8040);
    EXPECT_EQ(again.legend, 1);
    EXPECT_EQ(again.hideControlPane, 1);
    EXPECT_EQ(again.fileFormat, 1);
    EXPECT_EQ(again.targetDir, dir.file("exports"));
    EXPECT_EQ(again.baseName, "sample 光谱");
    EXPECT_EQ(again.fileSuffix, 1);
    EXPECT_EQ(again.noUseWhiteBoard, 1);
    EXPECT_EQ(again.nonlinearCorrection, 1);
    EXPECT_EQ(other.nonlinearEnabled, 1);
    EXPECT_EQ(again.readNonlinearCorrection(), 1);

    // A text that would break the file is left out and the save says so; the rest is saved.
    again.baseName = "two\nlines";
    again.legend = 0;
    EXPECT_EQ(again.saveSettings(other), 0);
    EXPECT_EQ(readProfileString(paths.configPath, "FileOptions", "BaseName", ""), "sample 光谱");
    EXPECT_EQ(readProfileString(paths.configPath, "Display", "Legend", ""), "0");
    again.baseName = "sample 光谱";

    // Options OK writes Language too; the other keys stay where they are.
    ASSERT_EQ(again.writeOptions(2), 1);
    EXPECT_EQ(readLanguageSetting(paths.configPath), 2);
    EXPECT_EQ(readProfileString(paths.configPath, "System", "NonlinearCorrection", ""), "1");
}

TEST_F(ConfigTest, DamagedConfigurationLoadsWhatItCanAndSavesClean) {
    std::string junk = "[Display]\r\nBkColor=abc\r\n";
    junk += std::string("\0\0\xFF\xFE\x01garbage", 12) + "\r\n";
    junk += "Legend=1\r\nno equals sign here\r\n[FileOptions]\r\nFileSuffix=0\r\n";
    junk += std::string(200, '\x02') + "\r\n[System\r\n";
    writeFile(paths.configPath, junk);

    settings.loadSettings(record);
    EXPECT_EQ(settings.bkColor, 0);  // a non-numeric text reads as 0
    EXPECT_EQ(settings.legend, 1);
    EXPECT_EQ(settings.fileSuffix, kFileSuffixTimestamp);
    EXPECT_EQ(settings.fileFormat, 0);
    EXPECT_EQ(settings.targetDir, paths.recordDir);

    settings.bkColor = kDefaultBkColor;
    ASSERT_EQ(settings.saveSettings(record), 1);
    const std::string saved = readFile(paths.configPath);
    for (char c : saved)
        ASSERT_TRUE(c == '\r' || c == '\n' || static_cast<unsigned char>(c) >= 0x20) << saved;
    EXPECT_EQ(saved.find("garbage"), std::string::npos);
    EXPECT_EQ(saved.find("no equals"), std::string::npos);
    CSettings again(paths.configPath, paths.recordDir);
    again.loadSettings(record);
    EXPECT_EQ(again.bkColor, kDefaultBkColor);
    EXPECT_EQ(again.legend, 1);
}

TEST_F(ConfigTest, BrandingWithAnotherAppMovesEveryFolderAndFile) {
    writeFile(program + "/system.ini",
              "[Setting]\r\nAPP=Lumex\r\n[Manual]\r\nEnglish=docs\\manual_en.pdf\r\n"
              "Simplified Chinese=docs\\manual_cn.pdf\r\n");
    const std::string root = dir.file("share");
    fs::create_directories(root + "/Lumex/res");
    writeFile(root + "/Lumex/res/Lumex_res.ini",
              "[RES]\r\nabout_icon=icons\\about.png\r\nemail=lab@example.org\r\nabout_bmp=\r\n");

    const AppSetup setup = readAppSetup(program, root);
    EXPECT_EQ(setup.branding.appName, "Lumex");
    EXPECT_EQ(setup.paths.dataDir, root + "/Lumex");
    EXPECT_EQ(setup.paths.recordDir, root + "/Lumex/Record");
    EXPECT_EQ(setup.paths.configPath, root + "/Lumex/config.ini");
    EXPECT_EQ(setup.paths.runLogPath, root + "/Lumex/runlog.log");
    EXPECT_EQ(setup.paths.resourceDir, root + "/Lumex/res");
    EXPECT_EQ(setup.paths.resourceFile, root + "/Lumex/res/Lumex_res.ini");
    EXPECT_EQ(setup.branding.manualFor(0), "docs/manual_en.pdf");
    EXPECT_EQ(setup.branding.manualFor(1), "docs/manual_cn.pdf");
    EXPECT_EQ(setup.branding.manualFor(2), "");
    EXPECT_EQ(setup.branding.manualFor(5), "docs/manual_en.pdf");
    EXPECT_EQ(setup.resources.aboutIcon, root + "/Lumex/res/icons/about.png");
    EXPECT_EQ(setup.resources.email, "lab@example.org");
    EXPECT_EQ(setup.resources.aboutBmp, "");      // empty stays empty
    EXPECT_EQ(setup.resources.version, "2.0.6");  // no Version key

    ASSERT_EQ(createAppFolders(setup.paths), "");
    EXPECT_TRUE(fs::is_directory(root + "/Lumex/Record"));

    writeFile(setup.paths.resourceFile, "[RES]\r\nVersion=3.1.4\r\n");
    EXPECT_EQ(readAppSetup(program, root).resources.version, "3.1.4");
}

TEST_F(ConfigTest, BrandingWithoutUsableAppKeepsTheDefaultName) {
    for (const char* app : {"", "..", "../../etc", "a/b", "a\\b"}) {
        writeFile(program + "/system.ini", std::string("[Setting]\r\nAPP=") + app + "\r\n");
        EXPECT_EQ(readBranding(program).appName, "Corvane") << app;
    }
    fs::remove(program + "/system.ini");
    EXPECT_EQ(readBranding(program).appName, "Corvane");
}

TEST_F(ConfigTest, FolderThatCannotBeCreatedGivesAClearMessage) {
    writeFile(dir.file("blocked"), "a file where the data root should be");
    const AppPaths blocked = buildAppPaths(program, dir.file("blocked"), "Corvane");
    const std::string error = createAppFolders(blocked);
    EXPECT_NE(error.find(dir.file("blocked") + "/Corvane"), std::string::npos) << error;
    EXPECT_NE(error.find("cannot be created"), std::string::npos) << error;

    writeFile(dir.file("share/Flat"), "a file named like the data folder");
    const std::string isFile = createAppFolders(buildAppPaths(program, dir.file("share"), "Flat"));
    EXPECT_NE(isFile.find("is a file"), std::string::npos) << isFile;

    if (::geteuid() != 0) {
        fs::create_directories(dir.file("locked/Corvane"));
        ::chmod(dir.file("locked/Corvane").c_str(), 0500);
        const std::string locked =
            createAppFolders(buildAppPaths(program, dir.file("locked"), "Corvane"));
        EXPECT_NE(locked.find("cannot be written"), std::string::npos) << locked;
        ::chmod(dir.file("locked/Corvane").c_str(), 0700);
    }
}

TEST(DataRoot, FollowsXdgDataHome) {
    const char* old = std::getenv("XDG_DATA_HOME");
    const std::string saved = old ? old : "";
    const char* oldHome = std::getenv("HOME");
    const std::string savedHome = oldHome ? oldHome : "";
    setenv("XDG_DATA_HOME", "/srv/data/", 1);
    EXPECT_EQ(userDataRoot(), "/srv/data");
    setenv("XDG_DATA_HOME", "relative/path", 1);  // not absolute: ignored
    setenv("HOME", "/home/op", 1);
    EXPECT_EQ(userDataRoot(), "/home/op/.local/share");
    unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(userDataRoot(), "/home/op/.local/share");
    if (old) setenv("XDG_DATA_HOME", saved.c_str(), 1);
    if (oldHome) setenv("HOME", savedHome.c_str(), 1);
}

TEST_F(ConfigTest, InstallTimeIsRecordedWhenItChanges) {
    EXPECT_EQ(formatInstallTime(2024, 3, 7, 9, 5, 0), "2024-3-7_9-5-0");
    EXPECT_TRUE(updateInstallTime(paths.configPath, "2024-3-7_9-5-0"));
    EXPECT_EQ(readInstallTime(paths.configPath), "2024-3-7_9-5-0");
    EXPECT_FALSE(updateInstallTime(paths.configPath, "2024-3-7_9-5-0"));
    EXPECT_FALSE(updateInstallTime(paths.configPath, ""));
    EXPECT_TRUE(updateInstallTime(paths.configPath, "2025-1-1_0-0-0"));

    writeFile(program + "/uninstall", "x");
    const std::string stamp = fileInstallTime(program + "/uninstall");
    EXPECT_EQ(std::count(stamp.begin(), stamp.end(), '-'), 4) << stamp;
    EXPECT_EQ(fileInstallTime(program + "/missing"), "");
}

}  // namespace

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "files/DataFile.h"
#include "files/ExportNaming.h"
#include "files/Settings.h"
#include "resources/StringTable.h"
#include "tests/support/TestSupport.h"

namespace {

void touch(const std::string& path) {
    std::ofstream(path) << "x";
}

class ExportNamingTest : public ::testing::Test {
  protected:
    void SetUp() override { setUiLanguage(kLangEnglish); }
    TempDir dir;
};

TEST_F(ExportNamingTest, FileCountIsOneAboveTheHighest) {
    const std::string base = dir.file("Spectrum_file");
    EXPECT_EQ(nextFileCount(base), 1);
    touch(base + "_001.txt");
    touch(base + "_005.txt");
    EXPECT_EQ(nextFileCount(base), 6);
    // Past 999 the count goes on instead of replacing an earlier file.
    touch(base + "_999.txt");
    EXPECT_EQ(nextFileCount(base), 1000);
    touch(base + "_1000.txt");
    EXPECT_EQ(nextFileCount(base), 1001);
}

TEST_F(ExportNamingTest, BuiltNames) {
    ExportNameSettings s{dir.path().string(), "run", kFileSuffixTimestamp};
    const std::string stamp = "2024-05-06_07-08-09";
    const std::string first = buildExportPath(kFileSpectrum, s, {}, {}, {}, stamp);
    EXPECT_EQ(first, dir.file("run_Spectrum_file_2024-05-06_07-08-09.txt"));
    // A second export within the same second does not replace the first.
    touch(first);
    EXPECT_EQ(buildExportPath(kFileSpectrum, s, {}, {}, {}, stamp),
              dir.file("run_Spectrum_file_2024-05-06_07-08-09_2.txt"));

    s.baseName.clear();
    s.fileSuffix = kFileSuffixFileCount;
    EXPECT_EQ(buildExportPath(kFileRaman, s, {}), dir.file("Raman_Spectrum_File_001.txt"));

    // The clock gives "%Y-%m-%d_%H-%M-%S".
    s.fileSuffix = kFileSuffixTimestamp;
    const std::string now = buildExportPath(kFileAbsorbance, s, {});
    const std::string prefix = dir.file("Absorbance_file_");
    ASSERT_EQ(now.rfind(prefix, 0), 0u);
    EXPECT_EQ(now.size(), prefix.size() + 19 + 4);
}

TEST_F(ExportNamingTest, CustomisedNames) {
    struct Case {
        std::string chosen;
        std::string expected;
    };
    const Case cases[] = {
        {"/x/a.data", "/x/a.data.txt"},
        {"/x/a.txt.bak", "/x/a.txt.bak"},
        {"/x/a.txt", "/x/a.txt"},
        {"/x/a", "/x/a.txt"},
        {"", ""},  // cancelled
    };
    ExportNameSettings s{"/target", "ignored", kFileSuffixCustomised};
    for (const Case& c : cases) {
        std::string title, folder, filter;
        const SaveNameAsker ask = [&](const std::string& t, const std::string& d,
                                      const std::string& f) {
            title = t;
            folder = d;
            filter = f;
            return c.chosen;
        };
        EXPECT_EQ(buildExportPath(kFileSpectrum, s, ask), c.expected);
        EXPECT_EQ(title, "Export Spectrum file");
        EXPECT_EQ(folder, "/target");
        EXPECT_EQ(filter, "Spectrum file(*.data;*.txt)|*.data;*.txt|All Files(*.*)|*.*|");
    }
    EXPECT_EQ(buildExportPath(kFileSpectrum, s, nullptr), "");
}

TEST_F(ExportNamingTest, MainFrameSettingsFallBackToTheRecordFolder) {
    CSettings settings(dir.file("config.ini"), dir.file("Record"));
    settings.targetDir.clear();
    settings.baseName.clear();
    settings.fileSuffix = kFileSuffixFileCount;
    EXPECT_EQ(buildExportPath(kFilePower, settings), dir.file("Record") + "/Power_001.txt");
    std::string folder;
    SaveNameAsker previous =
        setSaveNameAsker([&](const std::string&, const std::string& d, const std::string&) {
            folder = d;
            return std::string("/y/b.clr");
        });
    settings.fileSuffix = kFileSuffixCustomised;
    EXPECT_EQ(buildExportPath(kFileColor, settings, tableExportDialogTitle(kFileColor),
                              tableExportDialogFilter(kFileColor)),
              "/y/b.clr.txt");
    EXPECT_EQ(folder, dir.file("Record"));
    setSaveNameAsker(previous);
}

TEST_F(ExportNamingTest, DialogTextsAndPreview) {
    EXPECT_EQ(importDialogTitle(kFileSpectrum), "Import Spectrum file");
    EXPECT_EQ(importDialogFilter(kFileSpectrum),
              "Spectrum file (*.data;*.txt)|*.data;*.txt|All Files(*.*)|*.*|");
    EXPECT_EQ(tableExportDialogTitle(kFileColor), "Export Color file File");
    EXPECT_EQ(tableExportDialogFilter(kFilePower),
              "Power File(*.data;*.txt)|*.data;*.txt|All Files(*.*)|*.*|");
    EXPECT_EQ(exportNamePreview("run", kFileSuffixTimestamp), "run_15-16-35-568.txt");
    EXPECT_EQ(exportNamePreview("", kFileSuffixFileCount), "001.txt");
    EXPECT_EQ(exportNamePreview("run", kFileSuffixCustomised), "run_");
    EXPECT_EQ(exportNamePreview("", kFileSuffixCustomised), "");
}

}  // namespace

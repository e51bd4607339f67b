#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "files/Profile.h"
#include "tests/support/TestSupport.h"

namespace {

namespace fs = std::filesystem;

TEST(Profile, ReadsByTheRulesOfInitializationFiles) {
    TempDir dir;
    const std::string path = dir.file("a.ini");
    writeFile(path,
              "\xEF\xBB\xBF"
              "Orphan=before any section\r\n"
              "[Display]\r\n"
              "  BkColor =  255  \r\n"
              "Legend=1\n"
              "; Hidden=comment\r\n"
              "Legend=2\r\n"
              "[ header ]\r"
              "Device =FAKE-100\r"
              "Empty=\r\n"
              "Eq=a=b\r\n"
              "[DISPLAY]\r\n"
              "Only=in the second section\r\n"
              "[Text]\r\n"
              "Chinese=光谱仪光谱仪\r\n");
    struct Case {
        const char* section;
        const char* key;
        const char* expected;
    };
    const std::vector<Case> cases = {
        {"display", "BKCOLOR", "255"},       // case and blanks do not matter
        {"Display", "Legend", "1"},          // the first key wins; LF line end
        {"Display", "Hidden", "<default>"},  // a comment is no key
        {"Display", "Orphan", "<default>"},  // a key before any section is never read
        {"header", "Device ", "FAKE-100"},   // CR line ends; the key with its trailing blank
        {"Header", "Empty", ""},             // present but empty is not missing
        {"header", "Eq", "a=b"},             // the value runs from the first "="
        {"Display", "Only", "<default>"},    // the first matching section is the one read
        {"Missing", "BkColor", "<default>"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(readProfileString(path, c.section, c.key, "<default>"), c.expected)
            << c.section << "/" << c.key;
    EXPECT_EQ(readProfileString(path, "Text", "Chinese", "", 3),
              "光谱仪");  // characters, not bytes
    EXPECT_EQ(readProfileString(dir.file("none.ini"), "Display", "BkColor", "16777215"),
              "16777215");
    EXPECT_EQ(readProfileInt(path, "Display", "BkColor", 7), 255);
    EXPECT_EQ(readProfileInt(path, "Header", "Device", 7), 0);  // no number reads 0
    EXPECT_EQ(readProfileInt(path, "Header", "Nothing", 7), 7);
}

TEST(Profile, WriteReplacesInPlaceAppendsAndCreates) {
    TempDir dir;
    const std::string path = dir.file("config.ini");
    ASSERT_TRUE(writeProfileString(path, "Display", "BkColor", "255"));  // creates the file
    EXPECT_EQ(readFile(path), "[Display]\r\nBkColor=255\r\n");

    writeFile(path, "; kept\n[Display]\nbkcolor = 1\nLegend=0\n\n[FileOptions]\nFileFormat=1\n");
    ASSERT_TRUE(writeProfileString(path, "DISPLAY", "BkColor", "16777215"));
    ASSERT_TRUE(writeProfileString(path, "Display", "HideControlPane", "1"));
    ASSERT_TRUE(writeProfileString(path, "System", "NonlinearCorrection", "1"));
    EXPECT_EQ(readFile(path),
              "; kept\r\n[Display]\r\nbkcolor=16777215\r\nLegend=0\r\nHideControlPane=1\r\n\r\n"
              "[FileOptions]\r\nFileFormat=1\r\n[System]\r\nNonlinearCorrection=1\r\n");
    EXPECT_EQ(readProfileString(path, "display", "BKCOLOR", ""), "16777215");
}

TEST(Profile, WriteRefusesWhatWouldBreakTheFile) {
    TempDir dir;
    const std::string path = dir.file("config.ini");
    ASSERT_TRUE(writeProfileString(path, "FileOptions", "BaseName", "run"));
    const std::string before = readFile(path);
    // A line break in a value would plant a key of its own.
    EXPECT_FALSE(writeProfileString(path, "FileOptions", "BaseName", "x\r\n[System]\r\nA=1"));
    EXPECT_FALSE(writeProfileString(path, "FileOptions", "Base=Name", "x"));
    EXPECT_FALSE(writeProfileString(path, "File]Options", "BaseName", "x"));
    EXPECT_FALSE(writeProfileString(path, "FileOptions", "", "x"));
    EXPECT_FALSE(writeProfileString(path, "FileOptions", "BaseName", std::string("a\0b", 3)));
    EXPECT_EQ(readFile(path), before);
    EXPECT_FALSE(writeProfileString(dir.file("no/such/folder/config.ini"), "A", "B", "C"));
    EXPECT_FALSE(fs::exists(dir.file("no")));
}

TEST(Profile, DamagedFileLoadsWhatItCanAndIsWrittenClean) {
    TempDir dir;
    const std::string path = dir.file("config.ini");
    std::string junk = "[Display]\r\nBkColor=255\r\n";
    junk += std::string("\x00\x01\xFF\xFE binary\x7F", 12) + "\r\n";
    junk += "this line is no key\r\n";
    junk += "Legend=\x01\r\n";   // a control byte spoils the whole line
    junk += "Bad=\xC3\x28\r\n";  // invalid UTF-8
    junk += "[Unclosed\r\n";
    junk += "=no key\r\n";
    junk += "HideControlPane=1\r\n";
    writeFile(path, junk);

    EXPECT_EQ(readProfileString(path, "Display", "BkColor", ""), "255");
    EXPECT_EQ(readProfileString(path, "Display", "HideControlPane", ""), "1");
    EXPECT_EQ(readProfileString(path, "Display", "Legend", "0"), "0");
    EXPECT_EQ(readProfileString(path, "Display", "Bad", "-"), "-");

    ASSERT_TRUE(writeProfileString(path, "Display", "Legend", "1"));
    EXPECT_EQ(readFile(path), "[Display]\r\nBkColor=255\r\nHideControlPane=1\r\nLegend=1\r\n");
}

TEST(Profile, HugeFileIsReadUpToTheCap) {
    TempDir dir;
    const std::string path = dir.file("config.ini");
    std::string text = "[Display]\r\nBkColor=255\r\n";
    const std::string filler = "Filler=" + std::string(100, 'x') + "\r\n";
    while (text.size() + filler.size() < kProfileMaxBytes - 10)
        text += filler;
    text += "CutKey=" + std::string(40, 'y');  // crosses the cap: half a line is not a key
    text += std::string(3 * kProfileMaxBytes, 'z');
    text += "\r\nLate=1\r\n";
    writeFile(path, text);

    EXPECT_EQ(readProfileString(path, "Display", "BkColor", ""), "255");
    EXPECT_EQ(readProfileString(path, "Display", "CutKey", "-"), "-");
    EXPECT_EQ(readProfileString(path, "Display", "Late", "-"), "-");
    ASSERT_TRUE(writeProfileString(path, "Display", "Legend", "1"));
    EXPECT_LE(fs::file_size(path), kProfileMaxBytes + 64);
    EXPECT_EQ(readProfileString(path, "Display", "Legend", ""), "1");
    EXPECT_EQ(readProfileString(path, "Display", "BkColor", ""), "255");
}

TEST(Profile, WriteReplacesTheFileAtomically) {
    TempDir dir;
    const std::string path = dir.file("config.ini");
    writeFile(path, "[A]\r\nB=1\r\n");
    ::chmod(path.c_str(), 0640);
    struct stat before {};
    ASSERT_EQ(::stat(path.c_str(), &before), 0);
    ASSERT_TRUE(writeProfileString(path, "A", "B", "2"));
    struct stat after {};
    ASSERT_EQ(::stat(path.c_str(), &after), 0);
    // A new inode means a rename, not an overwrite in place; nothing is left beside it.
    EXPECT_NE(before.st_ino, after.st_ino);
    EXPECT_EQ(after.st_mode & 0777, 0640u);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);

    // A file that cannot be read is not replaced by one holding a single key.
    if (::geteuid() != 0) {
        ::chmod(path.c_str(), 0200);
        EXPECT_FALSE(writeProfileString(path, "A", "C", "3"));
        ::chmod(path.c_str(), 0640);
        EXPECT_EQ(readFile(path), "[A]\r\nB=2\r\n");
    }
}

TEST(Profile, FileObjectListsAndRemoves) {
    CProfileFile f("[HEADER]\nDataType=REL_IRRA_CAL\nColorTemp=2856.0\n[DATA]\n400 1.5\n");
    EXPECT_EQ(f.sectionNames(), (std::vector<std::string>{"HEADER", "DATA"}));
    EXPECT_EQ(f.keys("header"), (std::vector<std::string>{"DataType", "ColorTemp"}));
    EXPECT_EQ(f.value("Header", "colortemp").value_or(""), "2856.0");
    EXPECT_TRUE(f.removeKey("HEADER", "ColorTemp"));
    EXPECT_FALSE(f.removeKey("HEADER", "ColorTemp"));
    EXPECT_EQ(f.text(), "[HEADER]\r\nDataType=REL_IRRA_CAL\r\n[DATA]\r\n");
}

TEST(IniValue, FourTypesInBothDirections) {
    TempDir dir;
    const std::string path = dir.file("config.ini");
    IniValue out(path, IniValue::kWrite);
    std::string text = "C:\\cal\\lamp.cal";
    int count = -42;
    double factor = 2.5;
    int on = 1, off = 7;
    EXPECT_EQ(out.text("RelIrradiance", "CalFile", text, ""), 1);
    EXPECT_EQ(out.integer("RelIrradiance", "CreateMethod", count, 0), 1);
    EXPECT_EQ(out.number("Raman", "IncidentWavelength", factor, 785.0), 1);
    EXPECT_EQ(out.flag("RelIrradiance", "bExportCalFile", on), 1);
    EXPECT_EQ(out.flag("System", "NonlinearCorrection", off), 1);  // not 1: written "0"
    EXPECT_EQ(readFile(path),
              "[RelIrradiance]\r\nCalFile=C:\\cal\\lamp.cal\r\nCreateMethod=-42\r\n"
              "bExportCalFile=1\r\n[Raman]\r\nIncidentWavelength=2.500000000\r\n"
              "[System]\r\nNonlinearCorrection=0\r\n");

    IniValue in(path, IniValue::kRead);
    std::string t;
    int i = 0, b = 0;
    double d = 0;
    EXPECT_EQ(in.text("RelIrradiance", "CalFile", t, ""), 15);  // characters read
    EXPECT_EQ(t, text);
    EXPECT_EQ(in.integer("relirradiance", "createmethod", i, 0), 3);
    EXPECT_EQ(i, -42);
    EXPECT_EQ(in.number("Raman", "IncidentWavelength", d, 785.0), 11);
    EXPECT_DOUBLE_EQ(d, 2.5);
    in.flag("RelIrradiance", "bExportCalFile", b);
    EXPECT_EQ(b, 1);

    // Missing keys take the default through its text form.
    EXPECT_EQ(in.number("Raman", "Missing", d, 785.0), 13);  // "785.000000000"
    EXPECT_DOUBLE_EQ(d, 785.0);
    EXPECT_EQ(in.integer("Power", "IntegrateMethod", i, 200), 3);
    EXPECT_EQ(i, 200);
    in.flag("System", "Missing", b);
    EXPECT_EQ(b, 0);

    // A flag is true only when its text converts to 1.
    struct FlagCase {
        const char* text;
        int expected;
    };
    for (const FlagCase& c : std::vector<FlagCase>{
             {"1", 1}, {"2", 0}, {"yes", 0}, {" 1 ", 1}, {"01", 1}, {"-1", 0}, {"", 0}}) {
        ASSERT_TRUE(writeProfileString(path, "System", "Flag", c.text));
        in.flag("System", "Flag", b);
        EXPECT_EQ(b, c.expected) << '"' << c.text << '"';
    }

    EXPECT_EQ(IniValue(dir.file("no/such/dir.ini"), IniValue::kWrite).integer("A", "B", count, 0),
              0);
}

}  // namespace

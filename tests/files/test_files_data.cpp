#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/SpectrumData.h"
#include "device/SpectrometerDevice.h"
#include "files/DataFile.h"
#include "files/Gbk.h"
#include "resources/StringTable.h"
#include "tests/support/TestSupport.h"

namespace {

namespace fs = std::filesystem;

std::string fixture(const std::string& name) {
    return std::string(CORVANE_SOURCE_DIR) + "/tests/files/data/" + name;
}

DataFileHeaderFields sampleFields(int type) {
    DataFileHeaderFields f;
    f.fileType = type;
    f.typeName = dataFileTypeName(type);
    f.modelName = "SIM2048";
    f.serialNumber = "SN01";
    f.date = "2024-05-06 07:08:09";
    f.acquisition.integrationTimeUs = 4000;
    f.acquisition.averages = 3;
    f.acquisition.boxcarWidth = 2;
    return f;
}

class DataFileTest : public ::testing::Test {
  protected:
    void SetUp() override { setUiLanguage(kLangEnglish); }
    void TearDown() override {
        setUiLanguage(kLangEnglish);
        data.loadFileTypeNames();
    }
    TempDir dir;
    CSpectrumData data;
    MessageRecorder messages;
};

TEST_F(DataFileTest, LayoutZeroIsTheDataLinesOnly) {
    const double x[] = {400.0, 400.25, 1000.5};
    const double y[] = {12.34, -0.06, 65535.0};
    data.fileLayout = 0;
    data.valueDecimals = dataFileValueDecimals(kFileSpectrum);
    const std::string path = dir.file("a.data.txt");
    ASSERT_EQ(writeSeriesFile(data, path, "[HEADER]\nignored\n", x, y, 3), 1);
    EXPECT_EQ(readFile(path), "400.000\t12.3\r\n400.250\t-0.1\r\n1000.500\t65535.0\r\n");
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(DataFileTest, LayoutOneWithHeaderByteForByte) {
    const std::string label = loadString(73);  // "λ ( nm )"
    DataFileHeaderFields f = sampleFields(kFileTransmissivity);
    f.xUnitLabel = &label;
    data.fileLayout = 1;
    data.valueDecimals = dataFileValueDecimals(kFileTransmissivity);
    const double x[] = {500.0, 501.0};
    const double y[] = {0.5, 0.61234};
    const std::string path = dir.file("t.txt");
    ASSERT_EQ(writeSeriesFile(data, path, formatDataFileHeader(f), x, y, 2), 1);
    const std::string expected =
        "[HEADER]\r\n"
        "DataType \t = Transmissivity file\r\n"
        "Device \t\t = SIM2048, SN01\r\n"
        "Date \t\t = 2024-05-06 07:08:09\r\n"
        "Integrate Time \t = 4000us\r\n"
        "Average \t = 3\r\n"
        "BoxCar \t\t = 2\r\n"
        "X_Axis_Unit \t = \xA6\xCB ( nm )\r\n"  // λ as its two GBK bytes
        "Corvane \t\t = 2.0.6\r\n"
        "[DATA]\r\n"
        "500.000\t0.500\r\n"
        "501.000\t0.612\r\n"
        "[END]";
    EXPECT_EQ(readFile(path), expected);

    // No active view: no X_Axis_Unit line; the calibration type writes ten decimals.
    f.xUnitLabel = nullptr;
    EXPECT_EQ(formatDataFileHeader(f).find("X_Axis_Unit"), std::string::npos);
    data.valueDecimals = dataFileValueDecimals(kFileCalibrateResult);
    ASSERT_EQ(writeSeriesFile(data, path, formatDataFileHeader(f), x, y, 1), 1);
    EXPECT_NE(readFile(path).find("500.000\t0.5000000000\r\n[END]"), std::string::npos);
}

TEST_F(DataFileTest, ConcentrationHeaderLines) {
    ConcentrationSettings c;
    c.compoundName = "NaCl";
    c.concentrationUnit = "mg/L";
    c.curveMethod = 2;
    c.curveWavelength = 450.5;
    c.bandStart = 400;
    c.bandEnd = 410;
    c.integralStart = 420;
    c.integralEnd = 430.25;
    c.integralRule = 1;
    DataFileHeaderFields f = sampleFields(kFileConcentration);
    f.concentration = &c;
    const std::string h = formatDataFileHeader(f);
    EXPECT_NE(h.find("BoxCar \t\t = 2\n"
                     "Compound name \t\t = NaCl\n"
                     "Unit \t\t = mg/L\n"
                     "Deal method \t\t = 2 #[0:Single wavelength,1:Average,2:Integrate]\n"
                     "Single Wavelength \t\t = 450.500000\n"
                     "Average wavelength  \t\t = 400.000000-410.000000\n"
                     "Integrate wavelength  \t\t = 420.000000-430.250000\n"
                     "Integrate method \t\t = 1  [0:rectangle,1:Trapezium  2:Simpsons]\n"
                     "Corvane \t\t = 2.0.6\n[DATA]\n"),
              std::string::npos)
        << h;
    // Other types never carry the concentration lines.
    f.fileType = kFileSpectrum;
    EXPECT_EQ(formatDataFileHeader(f).find("Compound"), std::string::npos);
}

TEST_F(DataFileTest, BuildHeaderCopiesTheLayoutAndUsesTheDevice) {
    SpectrometerInfo device;
    device.modelName = "M1";
    device.serialNumber = "S2";
    AcquisitionSettings acq;
    acq.integrationTimeUs = 12345;
    data.fileLayout = 0;
    const std::string h =
        buildDataFileHeader(data, kFileSpectrum, 1, device, acq, nullptr, "Corvane", "2.0.6");
    EXPECT_EQ(data.fileLayout, 1);
    EXPECT_EQ(
        h.rfind("[HEADER]\nDataType \t = Spectrum file\nDevice \t\t = M1, S2\nDate \t\t = ", 0),
        0u);
    EXPECT_NE(h.find("Integrate Time \t = 12345us\n"), std::string::npos);
}

TEST_F(DataFileTest, DecimalPointWhateverTheUiLanguage) {
    setUiLanguage(kLangSimplifiedChinese);
    data.fileLayout = 1;
    data.valueDecimals = 3;
    const double x[] = {1.5};
    const double y[] = {2.25};
    const std::string path = dir.file("c.txt");
    DataFileHeaderFields f = sampleFields(kFileSpectrum);
    ASSERT_EQ(writeSeriesFile(data, path, formatDataFileHeader(f), x, y, 1), 1);
    const std::string text = readFile(path);
    EXPECT_NE(text.find("1.500\t2.250\r\n"), std::string::npos);
    // The Chinese type name is stored in GBK.
    std::string gbk;
    ASSERT_TRUE(utf8ToGbk(dataFileTypeName(kFileSpectrum), gbk));
    EXPECT_NE(text.find("DataType \t = " + gbk + "\r\n"), std::string::npos);
}

TEST_F(DataFileTest, TextThatGbkCannotHoldIsRefusedAndTheOldFileKept) {
    const std::string path = dir.file("old.txt");
    writeFile(path, "good");
    data.fileLayout = 1;
    DataFileHeaderFields f = sampleFields(kFileSpectrum);
    f.modelName = "Spectro\xF0\x9F\x94\xAC";  // an emoji in the device name
    const double x[] = {1.0};
    EXPECT_EQ(writeSeriesFile(data, path, formatDataFileHeader(f), x, x, 1), 0);
    EXPECT_EQ(readFile(path), "good");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].text.find("\xF0\x9F\x94\xAC"), std::string::npos);
    EXPECT_NE(messages.shown[0].text.find(path), std::string::npos);
    for (const auto& e : fs::directory_iterator(dir.path()))
        EXPECT_EQ(e.path().filename(), "old.txt");  // no temporary file left behind
}

TEST_F(DataFileTest, WriteFailuresAreReportedAndSaveLastStoredSaysSo) {
    const std::string path = dir.file("missing/x.txt");
    EXPECT_EQ(writeTextFile(data, path, "body\n"), 0);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "File could not be opened!.(" + path + ")");

    installSeriesFileWriter();
    ASSERT_TRUE(allocateSlot(data.lastStored));
    data.lastStored.count = 2;
    EXPECT_EQ(data.saveLastStored(path, "", kFileSpectrum), 0);
    const std::string good = dir.file("last.txt");
    data.fileLayout = 0;
    EXPECT_EQ(data.saveLastStored(good, "", kFileCalibrateResult), 1);
    EXPECT_EQ(readFile(good), "0.000\t0.0000000000\r\n0.000\t0.0000000000\r\n");
}

TEST_F(DataFileTest, WriteTextFileEndsLinesWithCrLf) {
    const std::string path = dir.file("table.txt");
    ASSERT_EQ(writeTextFile(data, path, "[HEADER]\na\tb\r\n[DATA]\n1\t2\n[END]"), 1);
    EXPECT_EQ(readFile(path), "[HEADER]\r\na\tb\r\n[DATA]\r\n1\t2\r\n[END]");
}

TEST_F(DataFileTest, ReaderSplitsAtCommasAndIgnoresOtherLines) {
    data.fileLayout = 0;
    const std::string path = fixture("separators.txt");
    ASSERT_EQ(importDataFile(data, path, kFileSpectrum), 1);
    ASSERT_EQ(data.extraSeries.size(), 1u);
    const SpectrumSeries& s = data.extraSeries[0];
    EXPECT_EQ(s.typeName, path);
    EXPECT_EQ(s.typeCode, kFileSpectrum);
    ASSERT_EQ(s.count, 2);  // the three-number line is no point
    EXPECT_EQ(s.wave[0], 400.5);
    EXPECT_EQ(s.value[0], 12.0);
    EXPECT_EQ(s.wave[1], 402.0);
    EXPECT_EQ(s.value[1], 15.5);
}

TEST_F(DataFileTest, HeaderScanAndTheDeviceLineQuirk) {
    struct Case {
        const char* file;
        int language;
        int layout;
        int points;  // with the quirk, a leading (0, 0)
    };
    const Case cases[] = {
        {"no_device.data", kLangEnglish, 1, 3},             // type found: the Device line reads
        {"no_device.data", kLangEnglish, 0, 3},             // no type check at all
        {"chinese_ui.data", kLangEnglish, 1, 2},            // name unknown: skipped to [DATA]
        {"chinese_ui.data", kLangSimplifiedChinese, 1, 3},  // the GBK name is recognised
    };
    for (const Case& c : cases) {
        CSpectrumData record;
        setUiLanguage(c.language);
        record.loadFileTypeNames();
        record.fileLayout = c.layout;
        ASSERT_EQ(importDataFile(record, fixture(c.file), kFileSpectrum), 1) << c.file;
        ASSERT_EQ(record.extraSeries.size(), 1u);
        const SpectrumSeries& s = record.extraSeries[0];
        EXPECT_EQ(s.count, c.points) << c.file << " " << c.language;
        EXPECT_EQ(s.wave[s.count - 1], 501.0);
        if (c.points == 3) {
            EXPECT_EQ(s.wave[0], 0.0);
            EXPECT_EQ(s.value[0], 0.0);
        }
    }
}

TEST_F(DataFileTest, WrongTypeAndUnimportableTypesFailSilently) {
    data.fileLayout = 1;
    const std::string tr = fixture("transmissivity.tr");
    EXPECT_EQ(importDataFile(data, tr, kFileAbsorbance), 0);
    for (int type : {kFileColor, kFilePower, kFileConcentration})
        EXPECT_EQ(importDataFile(data, fixture("separators.txt"), type), 0) << type;
    EXPECT_TRUE(data.extraSeries.empty());
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(importDataFile(data, tr, kFileTransmissivity), 1);
}

TEST_F(DataFileTest, SamePathImportedTwiceAddsOneSeries) {
    data.fileLayout = 0;
    const std::string path = fixture("separators.txt");
    EXPECT_EQ(importDataFile(data, path, kFileSpectrum), 1);
    EXPECT_EQ(importDataFile(data, path, kFileSpectrum), 1);
    EXPECT_EQ(importDataFile(data, path, kFileAbsorbance), 1);  // another type: still one
    EXPECT_EQ(data.extraSeries.size(), 1u);
}

TEST_F(DataFileTest, MissingEmptyAndOversizedFiles) {
    const std::string missing = dir.file("none.data");
    EXPECT_EQ(importDataFile(data, missing, kFileSpectrum), 0);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "File could not be opened!! \n'" + missing + "'");

    const std::string empty = dir.file("empty.data");
    writeFile(empty, "[HEADER]\r\n[DATA]\r\n[END]");
    EXPECT_EQ(importDataFile(data, empty, kFileSpectrum), 0);
    EXPECT_EQ(messages.shown.size(), 1u);  // no points: silent

    // 3700 points fit a fixed slot; one more line is refused whole, with a message.
    std::string text;
    for (int i = 0; i < kMaxPixels; ++i)
        text += std::to_string(300 + i) + "\t1\r\n";
    const std::string full = dir.file("full.wb");
    writeFile(full, text);
    EXPECT_EQ(importDataFile(data, full, kFileWhiteBoard), 1);
    EXPECT_EQ(data.whiteBoard.count, kMaxPixels);
    const std::string over = dir.file("over.wb");
    writeFile(over, text + "9999\t2\r\n");
    data.hasWhiteBoard = 0;
    EXPECT_EQ(importDataFile(data, over, kFileWhiteBoard), 0);
    EXPECT_EQ(data.hasWhiteBoard, 0);
    EXPECT_EQ(data.whiteBoard.count, kMaxPixels);
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_NE(messages.shown[1].text.find("3700"), std::string::npos);
    EXPECT_EQ(importDataFile(data, over, kFileSpectrum), 0);
    EXPECT_TRUE(data.extraSeries.empty());
}

TEST_F(DataFileTest, TableTypesFillTheirSlots) {
    data.fileLayout = 0;
    const std::string path = fixture("separators.txt");
    ASSERT_EQ(importDataFile(data, path, kFileStandardLamp), 1);
    EXPECT_EQ(data.hasStandardLamp, 1);
    EXPECT_EQ(data.standardLamp.count, 2);
    ASSERT_EQ(data.extraSeries.size(), 1u);
    EXPECT_EQ(data.extraSeries[0].typeCode, kFileAbsoluteIrradiance);
    ASSERT_EQ(importDataFile(data, path, kFileCalibrateResult), 1);
    EXPECT_EQ(data.hasIrradianceCal, 1);
    EXPECT_EQ(data.irradianceCal.value[1], 15.5);
    EXPECT_EQ(data.extraSeries.size(), 1u);
}

TEST_F(DataFileTest, ConcentrationRecords) {
    data.fileLayout = 0;
    std::string text;
    for (int i = 0; i < kMaxPixels + 10; ++i)  // no 3700 limit here
        text += std::to_string(i) + "\t" + std::to_string(i * 2) + "\r\n";
    const std::string path = dir.file("c.data");
    writeFile(path, text);
    ASSERT_EQ(importConcentrationFile(data, path), 1);
    ASSERT_EQ(data.records.size(), 1u);
    EXPECT_EQ(data.records[0].count, kMaxPixels + 10);
    EXPECT_EQ(data.records[0].typeCode, kFileConcentration);
    EXPECT_EQ(data.records[0].value[5], 10.0);

    // Deleted in the records manager: importing again only shows it.
    data.records[0].checked = 0;
    data.records[0].count = 0;
    ASSERT_EQ(importConcentrationFile(data, path), 1);
    ASSERT_EQ(data.records.size(), 1u);
    EXPECT_EQ(data.records[0].checked, 1);
    EXPECT_EQ(data.records[0].count, 0);
}

TEST_F(DataFileTest, WrittenFileReadsBack) {
    std::vector<double> x(2048), y(2048);
    for (int i = 0; i < 2048; ++i) {
        x[i] = 200.0 + i * 0.4375;
        y[i] = i * 1.5;
    }
    const std::string label = loadString(73);
    DataFileHeaderFields f = sampleFields(kFileSpectrum);
    f.xUnitLabel = &label;
    data.fileLayout = 1;
    data.valueDecimals = 1;
    const std::string path = dir.file("round.data.txt");
    ASSERT_EQ(writeSeriesFile(data, path, formatDataFileHeader(f), x.data(), y.data(), 2048), 1);
    ASSERT_EQ(importDataFile(data, path, kFileSpectrum), 1);
    const SpectrumSeries& s = data.extraSeries.at(0);
    ASSERT_EQ(s.count, 2048);
    EXPECT_NEAR(s.wave[2047], x[2047], 6e-4);
    EXPECT_NEAR(s.value[2047], y[2047], 0.05);
}

TEST(Gbk, LambdaAndRoundTrip) {
    std::string out;
    ASSERT_TRUE(utf8ToGbk("λ", out));
    EXPECT_EQ(out, "\xA6\xCB");
    ASSERT_TRUE(utf8ToGbk("光谱文件 abc", out));
    EXPECT_EQ(gbkToUtf8(out), "光谱文件 abc");
    std::string bad;
    EXPECT_FALSE(utf8ToGbk("a\xE2\x82\xAC\xF0\x9F\x98\x80", out, &bad));  // € is in GBK
    EXPECT_EQ(bad, "\xF0\x9F\x98\x80");
    EXPECT_EQ(gbkToUtf8("a\xFF"
                        "b"),
              "a\xEF\xBF\xBD"
              "b");  // a stray byte still reads
}

}  // namespace

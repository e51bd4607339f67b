#include <gtest/gtest.h>

#include "device/DeviceListText.h"
#include "resources/StringTable.h"

namespace {

SpectrometerInfo sample(unsigned protocol) {
    SpectrometerInfo info;
    info.modelName = "KVR-2104";
    info.serialNumber = "AB1234567890";
    info.wavelengthStart = 200.456;
    info.wavelengthEnd = 1100.0;
    info.resolution = "Resolution:1.5nm";
    info.slit = ":25um";
    info.ccdPixels = 2078;
    info.ccdHiddenPixels = 30;
    info.grating = "600";
    info.lens = "L1";
    info.filter = "F1";
    info.firmwareVersion = "8.1.2015";
    info.protocolVersion = static_cast<uint16_t>(protocol);
    return info;
}

TEST(DeviceListText, TreeOfSevenLinesWithTheDashedSerial) {
    const SpectrometerInfo info = sample(0x100);
    const auto lines = deviceTreeLines(&info, info.protocolVersion);
    const std::vector<std::string> expected = {
        "  Model: KVR-2104",
        "  SN: AB-1234-56-7890",
        "  Wavelength: 200.46-1100.00 nm",
        "  Resolution:1.5nm",
        "  Slit:",  // the ':' is the first character: nothing after it is shown
        "  Detector: 2048 pixles",
        "  Firmware: 8.1.2015",
    };
    EXPECT_EQ(lines, expected);
}

TEST(DeviceListText, TreeOfTenLinesAbove0x101) {
    const SpectrometerInfo info = sample(0x102);
    const auto lines = deviceTreeLines(&info, info.protocolVersion);
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(lines[1], "  SN: AB1234567890");  // protocol 257 and up: as it is
    EXPECT_EQ(lines[6], "  Grating: 600");
    EXPECT_EQ(lines[8], "  Filter: F1");
    EXPECT_EQ(deviceTreeLineCount(0x101), 7);
    EXPECT_EQ(deviceTreeLineCount(0x102), 10);
}

TEST(DeviceListText, NoDeviceShowsNotAvailableAndShortSerialsStayWhole) {
    const auto lines = deviceTreeLines(nullptr, 0x101);
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[0], "  Model: N/A");
    EXPECT_EQ(dashedSerial("123"), "123");
    EXPECT_EQ(dashedSerial("1234567"), "1-23-4567");  // too short for the third dash
    EXPECT_EQ(textAfterColon("no colon"), "");

    SpectrometerInfo info = sample(0x102);
    info.state = kStateConnected;
    const DeviceRowText row = deviceRowText(info, 0);
    EXPECT_EQ(row.number, "1");
    EXPECT_EQ(row.state, "Connected");
    info.state = kStateIdle;
    EXPECT_EQ(deviceRowText(info, 4).state, "IDLE");
    setUiLanguage(kLangSimplifiedChinese);
    EXPECT_EQ(deviceTreeLines(nullptr, 0x101)[0], "  型号: N/A");
    setUiLanguage(kLangEnglish);
}

}  // namespace

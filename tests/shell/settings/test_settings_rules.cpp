#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "device/AcquisitionSettings.h"
#include "resources/DeviceStrings.h"
#include "resources/StringTable.h"

namespace {

TEST(IntegrationTime, ParseByUnit) {
    struct Case {
        const char* text;
        int unit;
        int us;
    };
    const std::vector<Case> cases = {
        {"4", kTimeUnitMs, 4000},
        {"0.05", kTimeUnitS, 50000},
        {"4.1", kTimeUnitMs, 4100},  // 4.1 * 1000 is 4099.999... in binary
        {"0.0029", kTimeUnitS, 2900},
        {"2.5", kTimeUnitMs, 2500},
        {"0.0005", kTimeUnitMs, 0},  // half a µs is truncated away
        {"1.9", kTimeUnitUs, 1},
        {"12abc", kTimeUnitUs, 12},
        {"abc", kTimeUnitMs, 0},
        {"", kTimeUnitS, 0},
        {"-3", kTimeUnitMs, -3000},
        {"1e12", kTimeUnitS, INT_MAX},  // held at the int range instead of overflowing
        {"-1e12", kTimeUnitS, INT_MIN},
        {"nan", kTimeUnitMs, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(parseIntegrationTime(c.text, c.unit), c.us) << c.text << " unit " << c.unit;
    EXPECT_EQ(parseIntegrationTime(nullptr, kTimeUnitMs), 0);
}

TEST(IntegrationTime, FormatByUnit) {
    struct Case {
        int us;
        int unit;
        const char* text;
    };
    const std::vector<Case> cases = {
        {50000, kTimeUnitS, "0.050"}, {60000000, kTimeUnitS, "60.000"},
        {400, kTimeUnitS, "0.000"},   {4000, kTimeUnitMs, "4"},
        {4999, kTimeUnitMs, "4"},     {500, kTimeUnitMs, "1"},
        {1000, kTimeUnitUs, "1000"},  {0, kTimeUnitUs, "1"},
        {-5, kTimeUnitMs, "1"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(formatIntegrationTime(c.us, c.unit), c.text) << c.us << " unit " << c.unit;
    EXPECT_EQ(timeUnitFactor(kTimeUnitMs), 1000);
    EXPECT_EQ(timeUnitFactor(kTimeUnitS), 1000000);
    EXPECT_EQ(timeUnitFactor(kTimeUnitUs), 1);
}

TEST(RangeCheck, ClampsAndFormatsBothMessages) {
    EXPECT_EQ(checkRangeRule(1, 0, 10000).value, 1);
    EXPECT_TRUE(checkRangeRule(1, 0, 10000).outOfRange);
    EXPECT_EQ(checkRangeRule(1, 20000, 10000).value, 10000);
    EXPECT_TRUE(checkRangeRule(-100, 101, 100).outOfRange);
    EXPECT_FALSE(checkRangeRule(-100, -100, 100).outOfRange);
    EXPECT_EQ(checkRangeRule(-100, -100, 100).value, -100);

    setUiLanguage(kLangEnglish);
    EXPECT_EQ(rangeMessage("Average times", 1, 10000, 1002),
              "Average times value out of range 1-10000!");
    EXPECT_EQ(rangeMessage("Integration time", 10, 60000000, kIntegrationControlId),
              "Integration time value out of range 10-60000000us !");
    setUiLanguage(kLangSimplifiedChinese);
    EXPECT_EQ(rangeMessage(loadString(DeviceStr::kNameAverageTimes), 1, 10000, 1002),
              "平均次数 超出范围 1-10000!");
    setUiLanguage(kLangEnglish);
}

TEST(TriggerModes, ListOrderAndCodes) {
    const std::vector<std::pair<std::string, int>> expected = {{"Normal", 17},
                                                               {"Software", 18},
                                                               {"Synchronization", 20},
                                                               {"External hardware", 19},
                                                               {"Trigger Output", 21}};
    for (int i = 0; i < kTriggerModeCount; ++i) {
        EXPECT_EQ(loadString(triggerModeTable()[i].textId, kLangEnglish), expected[i].first);
        EXPECT_EQ(triggerModeTable()[i].code, expected[i].second);
        EXPECT_EQ(triggerModeIndex(expected[i].second), i);
    }
    EXPECT_EQ(triggerModeIndex(0), -1);
}

}  // namespace

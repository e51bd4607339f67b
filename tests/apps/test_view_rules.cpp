#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "apps/framework/CordinateSet.h"
#include "apps/framework/ViewRules.h"
#include "resources/AppsStrings.h"
#include "resources/StringTable.h"

namespace {

TEST(ValueAtX, NearestSampleOnAscendingAndDescendingX) {
    const double up[] = {1, 2, 3, 4, 5};
    const double down[] = {5, 4, 3, 2, 1};
    const double y[] = {10, 20, 30, 40, 50};
    struct Case {
        const double* xs;
        double x;
        double expected;
    };
    const Case cases[] = {
        {up, 3.0, 30},   {up, 3.4, 30},   {up, 3.6, 40},   {up, 3.5, 40},   {up, 1.0, 10},
        {up, 5.0, 50},   {up, 0.99, 0},   {up, 5.01, 0},   {down, 3.0, 30}, {down, 3.4, 30},
        {down, 3.6, 20}, {down, 3.5, 20}, {down, 5.0, 10}, {down, 6.0, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ValueAtX(y, c.x, 5, c.xs), c.expected) << (c.xs == up ? "up " : "down ") << c.x;
    EXPECT_EQ(ValueAtX(y, 3.0, 0, up), 0.0);
}

TEST(ViewCommands, ZoomXRange) {
    EXPECT_FALSE(zoomXRange({100, 105}, 102));
    EXPECT_FALSE(zoomXRange({100, 104}, 50));
    const auto towardsCursor = zoomXRange({200, 1100}, 300);
    ASSERT_TRUE(towardsCursor);
    EXPECT_DOUBLE_EQ(towardsCursor->min, 210);
    EXPECT_DOUBLE_EQ(towardsCursor->max, 1020);
    for (double outside : {100.0, 200.0, 1100.0, 5000.0}) {
        const auto r = zoomXRange({200, 1100}, outside);
        ASSERT_TRUE(r);
        EXPECT_DOUBLE_EQ(r->min, 290) << outside;
        EXPECT_DOUBLE_EQ(r->max, 1010) << outside;
    }
}

TEST(ViewCommands, BestXAndBestY) {
    const std::vector<double> narrow = {200, 650, 1100};
    const std::vector<double> wide = {50, 1000, 2000};
    EXPECT_EQ(*bestXRange(narrow.data(), 3), (ViewRange{200, 1100}));
    EXPECT_EQ(*bestXRange(wide.data(), 3), (ViewRange{100, 1500}));
    EXPECT_FALSE(bestXRange(wide.data(), 0));
    EXPECT_EQ(bestYRange(100, 1100), (ViewRange{0, 1200}));
}

TEST(ViewCommands, ZoomYRangeUsesTheVisibleWavelengths) {
    const std::vector<double> wave = {300, 400, 500, 600, 700};
    const std::vector<double> value = {900, 50, 300, 10, 800};
    // 600 nm lies on the edge of [400, 600]: only 500 counts inside, start value 900.
    const auto r = zoomYRange(wave.data(), value.data(), 5, {400, 600}, 1000);
    ASSERT_TRUE(r);
    EXPECT_DOUBLE_EQ(r->min, 300);
    EXPECT_DOUBLE_EQ(r->max, 1000 - 0.2 * 700);
}

TEST(ViewCommands, WheelZoomsAroundThePoint) {
    EXPECT_EQ(wheelZoom({0, 100}, 50, true), (ViewRange{5, 95}));
    EXPECT_EQ(wheelZoom({0, 100}, 50, false), (ViewRange{-5, 105}));
    EXPECT_EQ(wheelZoomLeftAxis({0, 1000}, true), (ViewRange{0, 950}));
    EXPECT_EQ(wheelZoomLeftAxis({0, 1000}, false), (ViewRange{0, 1050}));
}

TEST(ViewColoursRule, ForegroundIsTheInverseAndGridLiesBetween) {
    struct Case {
        int background, foreground, grid;
    };
    auto rgb = [](int r, int g, int b) { return r | (g << 8) | (b << 16); };
    const Case cases[] = {
        {rgb(255, 255, 255), rgb(0, 0, 0), rgb(175, 175, 175)},
        {rgb(0, 0, 0), rgb(255, 255, 255), rgb(60, 60, 60)},
        {rgb(200, 100, 30), rgb(55, 155, 225), rgb(120, 160, 90)},
    };
    for (const Case& c : cases) {
        const ViewColours v = viewColoursFrom(c.background);
        EXPECT_EQ(v.background, c.background);
        EXPECT_EQ(v.foreground, c.foreground) << std::hex << c.background;
        EXPECT_EQ(v.grid, c.grid) << std::hex << c.background;
    }
}

TEST(ViewNaming, NumbersFollowTheLastRegisteredOne) {
    std::vector<int> list;
    list.push_back(nextInstanceNumber(list));
    EXPECT_EQ(instanceViewName("Spectrum", list.back()), "Spectrum");
    list.push_back(nextInstanceNumber(list));
    EXPECT_EQ(instanceViewName("Spectrum", list.back()), "Spectrum(2)");
    list.erase(list.begin());  // the first view closes
    list.push_back(nextInstanceNumber(list));
    EXPECT_EQ(instanceViewName("Spectrum", list.back()), "Spectrum(3)");
}

TEST(ViewFormats, AdcTopCursorTextAndListFormats) {
    EXPECT_EQ(adcRangeTop(16), 66000);
    EXPECT_EQ(adcRangeTop(12), 5000);
    EXPECT_EQ(cursorEditText(500.12345, 0), "500.123");
    EXPECT_EQ(cursorEditText(0.5, 1), "0.500");
    EXPECT_EQ(cursorEditText(17.9, 2), "17");
    EXPECT_EQ(listFormatFor(3), "%.3f");
    EXPECT_EQ(readoutFormatFor(3), "%-10.3f");
    EXPECT_EQ(sideTableWidth(3), 180);
    EXPECT_EQ(sideTableWidth(9), 540);
    EXPECT_EQ(sideTableWidth(23), 540);  // at most three pairs within the width
}

TEST(CoordinateSetting, MessagesAndEqualBounds) {
    struct Case {
        const char *x0, *x1, *y0, *y1;
        int message;
    };
    const Case cases[] = {
        {"", "900", "0", "100", AppsStr::kInputXRange},
        {"300", " ", "0", "100", AppsStr::kInputXRange},
        {"300", "900", "", "100", AppsStr::kInputYRange},
        {"300", "900", "0", "", AppsStr::kInputYRange},
        {"600", "500", "0", "100", AppsStr::kXMaxBelowMin},
        {"600", "500", "100", "0", AppsStr::kXMaxBelowMin},
        {"300", "900", "100", "0", AppsStr::kYMaxBelowMin},
        {"500", "500", "7", "7", 0},
        {"abc", "900", "0", "1e3", 0},  // no number reads 0
    };
    for (const Case& c : cases) {
        double v[4] = {};
        EXPECT_EQ(checkCoordinateInput(c.x0, c.x1, c.y0, c.y1, v), c.message) << c.x0 << c.x1;
    }
    EXPECT_STREQ(loadString(AppsStr::kXMaxBelowMin, kLangEnglish),
                 "Max value of X axis is less than min value!");
    EXPECT_STREQ(loadString(AppsStr::kInputYRange, kLangEnglish), "Please input Y-Axis range!");
}

}  // namespace

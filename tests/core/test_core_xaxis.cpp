#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core/XAxis.h"
#include "resources/StringTable.h"

namespace {

std::vector<double> ramp(int n, double start = 400.0, double step = 0.5) {
    std::vector<double> w(n);
    for (int i = 0; i < n; ++i)
        w[i] = start + step * i;
    return w;
}

TEST(XAxis, ConvertsEachUnit) {
    struct Case {
        int unit;
        double lambda;
        int index;
        double laser;
        double expected;
    };
    const Case cases[] = {
        {kXUnitNm, 532.0, 4, 0, 532.0},
        {kXUnitUm, 532.0, 4, 0, 0.532},
        {kXUnitPixel, 532.0, 0, 0, 1.0},  // array index 0 is pixel 1
        {kXUnitPixel, 532.0, 4, 0, 5.0},
        {kXUnitRamanShift, 532.0, 0, 532.0, 0.0},  // the excitation itself
        {kXUnitRamanShift, 550.0, 0, 532.0, 1e7 / 532.0 - 1e7 / 550.0},
        {kXUnitWavenumber, 500.0, 0, 0, 20000.0},
        {kXUnitGhz, 500.0, 0, 0, 299792458.0 / 500.0},
        {kXUnitWavenumber, 0.5, 0, 0, 0.0},
        {kXUnitGhz, 0.5, 0, 0, 0.0},
        {kXUnitRamanShift, 0.5, 0, 532.0, 0.0},
        // No excitation set: the shift is taken from 0 cm-1 and stays finite.
        {kXUnitRamanShift, 500.0, 0, 0.0, -20000.0},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(convertWavelength(c.unit, c.lambda, c.index, c.laser), c.expected, 1e-9)
            << "unit " << c.unit << " lambda " << c.lambda;
    EXPECT_LT(convertWavelength(kXUnitRamanShift, 500.0, 0, 532.0), 0.0);
}

TEST(XAxis, RamanWithoutExcitationIsFiniteAndOrdered) {
    const std::vector<double> w = ramp(20);
    std::vector<double> x(20, 0.0);
    XAxisCache cache;
    ASSERT_EQ(ConvertXAxis(w.data(), 20, kXUnitRamanShift, 0.0, x.data(), cache), 1);
    for (int i = 0; i < 20; ++i) {
        EXPECT_TRUE(std::isfinite(x[i]));
        if (i > 0) {
            EXPECT_GT(x[i], x[i - 1]);
        }
    }
}

TEST(XAxis, NinePointsAreNeverConverted) {
    const std::vector<double> w = ramp(9);
    std::vector<double> x(9, -7.0);
    XAxisCache cache;
    EXPECT_EQ(ConvertXAxis(w.data(), 9, kXUnitGhz, 0.0, x.data(), cache), 0);
    for (double v : x)
        EXPECT_EQ(v, -7.0);
    EXPECT_EQ(cache.unit, kXUnitNone);
}

TEST(XAxis, CacheSkipsRepeatsButNotUnitChanges) {
    const std::vector<double> w = ramp(2048);
    std::vector<double> x(2048, 0.0);
    XAxisCache cache;
    ASSERT_EQ(ConvertXAxis(w.data(), 2048, kXUnitNm, 0.0, x.data(), cache), 1);
    x[5] = -1.0;  // a repeat of the same conversion leaves the array alone
    EXPECT_EQ(ConvertXAxis(w.data(), 2048, kXUnitNm, 0.0, x.data(), cache), 0);
    EXPECT_EQ(x[5], -1.0);

    // nm -> GHz -> nm shows nanometres again.
    ASSERT_EQ(ConvertXAxis(w.data(), 2048, kXUnitGhz, 0.0, x.data(), cache), 1);
    EXPECT_NEAR(x[0], 299792458.0 / 400.0, 1e-6);
    ASSERT_EQ(ConvertXAxis(w.data(), 2048, kXUnitNm, 0.0, x.data(), cache), 1);
    EXPECT_EQ(x[0], 400.0);
    EXPECT_EQ(x[2047], w[2047]);

    // New wavelengths (another device) and a new excitation are converted again.
    const std::vector<double> other = ramp(2048, 200.0);
    EXPECT_EQ(ConvertXAxis(other.data(), 2048, kXUnitNm, 0.0, x.data(), cache), 1);
    EXPECT_EQ(x[0], 200.0);
    ASSERT_EQ(ConvertXAxis(other.data(), 2048, kXUnitRamanShift, 532.0, x.data(), cache), 1);
    ASSERT_EQ(ConvertXAxis(other.data(), 2048, kXUnitRamanShift, 785.0, x.data(), cache), 1);
    EXPECT_NEAR(x[0], 1e7 / 785.0 - 1e7 / 200.0, 1e-9);
}

TEST(XAxis, TitlesInThreeLanguages) {
    const char* english[] = {"λ ( nm )",
                             "λ ( um )",
                             "Pixel ( # )",
                             "Raman Shift ( cm-1 )",
                             "Wavenumber ( cm-1 )",
                             "Frequency ( GHz )"};
    for (int u = 0; u < kXUnitCount; ++u) {
        EXPECT_EQ(xUnitTitleId(u), 73 + u);
        EXPECT_STREQ(loadString(xUnitTitleId(u), kLangEnglish), english[u]);
        EXPECT_STRNE(loadString(xUnitTitleId(u), kLangSimplifiedChinese), "");
        EXPECT_STRNE(loadString(xUnitTitleId(u), kLangTraditionalChinese), "");
    }
    EXPECT_EQ(xUnitTitleId(99), 73);
}

}  // namespace

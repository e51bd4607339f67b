#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "apps/peaks/PeakSearch.h"

namespace {

struct Peak {
    double centre, height, sigma;
};

struct Curve {
    std::vector<double> x, y;
};

// A flat base of 100 counts with Gaussian peaks, sampled every step from x0.
Curve makeCurve(double x0, double step, int n, const std::vector<Peak>& peaks, double base = 100) {
    Curve c;
    for (int i = 0; i < n; ++i) {
        const double x = x0 + step * i;
        double y = base;
        for (const Peak& p : peaks)
            y += p.height * std::exp(-0.5 * std::pow((x - p.centre) / p.sigma, 2));
        c.x.push_back(x);
        c.y.push_back(y);
    }
    return c;
}

constexpr double kFwhmPerSigma = 2.3548200450309493;

struct PeakCase {
    std::string name;
    Curve curve;
    double rangeMin, rangeMax;
    PeakSwitches switches;
    int expectedCount;
    std::vector<double> expectedX;  ///< peakX of the first results, in order (1 sample slack)
    int tableSize;                  ///< expected chart table length
};

std::vector<PeakCase> peakCases() {
    std::vector<Peak> twelve;
    for (int k = 0; k < 12; ++k)
        twelve.push_back({250.0 + 60 * k, 200.0 + 100 * k, 4.0});
    std::vector<double> tenHighest;
    for (int k = 11; k >= 2; --k)
        tenHighest.push_back(250.0 + 60 * k);
    const PeakSwitches fwhm{1, 1, 0};
    return {
        {"TenHighestOfTwelve", makeCurve(200, 0.5, 1800, twelve), 200, 1099.5, fwhm, 10, tenHighest,
         10},
        // A 30-count bump beside a tall line rises less than the prominence of 50.
        {"WeakBumpRejected",
         makeCurve(400, 0.5, 800, {{550, 1000, 5}, {620, 30, 3}}),
         400,
         799.5,
         fwhm,
         1,
         {550},
         1},
        // The view starts on the flank of the 500 nm line: it is above every threshold from the
        // first visible sample, so only the 650 nm line is found.
        {"PeakCutByLeftEdge",
         makeCurve(400, 0.5, 800, {{500, 2000, 6}, {650, 1500, 6}}),
         500.5,
         799.5,
         fwhm,
         1,
         {650},
         1},
        {"SingleHighestWithCwl",
         makeCurve(400, 0.5, 800, {{500, 800, 5}, {650, 1500, 5}}),
         400,
         799.5,
         PeakSwitches{1, 1, 1},
         1,
         {650},
         1},
        {"AllSwitchesOff",
         makeCurve(400, 0.5, 800, {{500, 800, 5}}),
         400,
         799.5,
         PeakSwitches{0, 0, 0},
         0,
         {},
         0},
    };
}

class PeakCases : public ::testing::TestWithParam<PeakCase> {};

TEST_P(PeakCases, FindsTheExpectedPeaks) {
    const PeakCase& c = GetParam();
    std::vector<PeakRecord> results, table(3);  // a stale table from an earlier redraw
    table[0].index = 99;
    FindPeaks(c.curve.x.data(), c.curve.y.data(), static_cast<int>(c.curve.x.size()), c.rangeMin,
              c.rangeMax, c.switches, PeakParams{}, results, table);
    ASSERT_EQ(static_cast<int>(results.size()), c.expectedCount);
    for (size_t i = 0; i < c.expectedX.size(); ++i)
        EXPECT_NEAR(results[i].peakX, c.expectedX[i], 0.5) << i;
    if (c.tableSize == 0) {
        EXPECT_TRUE(table.empty());
        return;
    }
    ASSERT_GE(table.size(), results.size());
    for (size_t i = 0; i < table.size(); ++i)
        EXPECT_EQ(table[i].index != 0, i < results.size()) << i;
}

INSTANTIATE_TEST_SUITE_P(Peaks, PeakCases, ::testing::ValuesIn(peakCases()),
                         [](const auto& info) { return info.param.name; });

TEST(PeakSearch, HalfWidthIsInterpolatedAndCwlIsTheCentre) {
    const Curve c = makeCurve(400, 0.5, 800, {{600, 1000, 5}});
    const int n = static_cast<int>(c.x.size());
    std::vector<PeakRecord> results, table;
    FindPeaks(c.x.data(), c.y.data(), n, 400, 799.5, {1, 1, 0}, {}, results, table);
    ASSERT_EQ(results.size(), 1u);
    // Baseline 100 is the curve's minimum; the half level is 600 counts.
    EXPECT_NEAR(results[0].halfLevel, 600.0, 1e-6);
    EXPECT_NEAR(results[0].fwhm, kFwhmPerSigma * 5, 0.05);
    EXPECT_NEAR(table[0].valueLeft, 600.0, 30.0);

    FindPeaks(c.x.data(), c.y.data(), n, 400, 799.5, {0, 0, 1}, {}, results, table);
    ASSERT_EQ(results.size(), 1u);
    EXPECT_NEAR(results[0].cwl, 600.0, 0.01);
    EXPECT_NEAR(table[0].cwl, 600.0, 0.01);
    EXPECT_EQ(table[0].fwhm, -1.0);  // FWHM display off
}

TEST(PeakSearch, LeftCrossingBelowTenGivesNoWidth) {
    // The same line in micrometres: every crossing lies below 10.
    const Curve c = makeCurve(0.4, 0.0005, 800, {{0.6, 1000, 0.005}});
    std::vector<PeakRecord> results, table;
    FindPeaks(c.x.data(), c.y.data(), 800, 0.4, 0.7995, {1, 1, 0}, {}, results, table);
    ASSERT_EQ(results.size(), 1u);
    EXPECT_NEAR(results[0].peakX, 0.6, 0.001);
    EXPECT_EQ(results[0].fwhm, 0.0);
    EXPECT_EQ(results[0].left, 0.0);
    EXPECT_EQ(results[0].right, 0.0);
}

TEST(PeakSearch, ZoomChangesTheSearchRangeAndHeightFilterApplies) {
    const Curve c = makeCurve(400, 0.5, 800, {{500, 800, 5}, {650, 1500, 5}});
    std::vector<PeakRecord> results, table;
    FindPeaks(c.x.data(), c.y.data(), 800, 450, 560, {1, 0, 0}, {}, results, table);
    ASSERT_EQ(results.size(), 1u);
    EXPECT_NEAR(results[0].peakX, 500, 0.5);

    // A flat curve has no height above its baseline.
    const Curve flat = makeCurve(400, 0.5, 800, {});
    FindPeaks(flat.x.data(), flat.y.data(), 800, 400, 799.5, {0, 0, 1}, {}, results, table);
    EXPECT_TRUE(results.empty());
    // Degenerate inputs find nothing and do not read past the arrays.
    FindPeaks(flat.x.data(), flat.y.data(), 1, 400, 799.5, {1, 1, 0}, {}, results, table);
    EXPECT_TRUE(results.empty());
    FindPeaks(flat.x.data(), flat.y.data(), 800, 9000, 9500, {1, 1, 0}, {}, results, table);
    EXPECT_TRUE(results.empty());
}

}  // namespace

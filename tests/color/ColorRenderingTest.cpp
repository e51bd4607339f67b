// Correlated colour temperature from the locus table, reference illuminants, colour rendering.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "color/ColorCalc.h"
#include "tests/color/IlluminantTable.h"

namespace {

const std::vector<double> kGrid(kCieGridWavelengths.begin(), kCieGridWavelengths.end());

struct Uv {
    double u, v;
};

Uv rowUv(int i) {
    return {kCieTemperatureLocus[i].u, kCieTemperatureLocus[i].v};
}
double rowT(int i) {
    return kCieTemperatureLocus[i].temperature;
}

TEST(CorrelatedColorTemperature, OnARowGivesItsTemperature) {
    for (int i = 0; i < kCieTemperatureRowCount; ++i) {
        const Uv p = rowUv(i);
        EXPECT_NEAR(CColorCalc::correlatedColorTemperature(p.u, p.v), rowT(i), 1e-6 * rowT(i))
            << rowT(i);
    }
}

// A point on the chord between two rows is where Heron's formula rounds around 0: it must
// interpolate (here to the mean), never give NaN. This includes 4950..5000 K, the change from
// Planckian to daylight rows.
TEST(CorrelatedColorTemperature, MidpointsOfEveryChordInterpolate) {
    for (int i = 1; i < kCieTemperatureRowCount; ++i) {
        const Uv a = rowUv(i - 1), b = rowUv(i);
        const double t = CColorCalc::correlatedColorTemperature((a.u + b.u) / 2, (a.v + b.v) / 2);
        ASSERT_TRUE(std::isfinite(t)) << rowT(i);
        EXPECT_NEAR(t, (rowT(i - 1) + rowT(i)) / 2, 1e-6 * rowT(i)) << rowT(i);
    }
}

TEST(CorrelatedColorTemperature, BeyondTheEnds) {
    // Half a chord past 25000 K extrapolates along the last chord.
    const Uv a = rowUv(112), b = rowUv(113);
    EXPECT_NEAR(
        CColorCalc::correlatedColorTemperature(b.u + (b.u - a.u) / 2, b.v + (b.v - a.v) / 2),
        27500.0, 1e-6);
    // Half a chord before 1000 K: the distance is taken as positive, so it reads 1025 K.
    const Uv c = rowUv(0), d = rowUv(1);
    EXPECT_NEAR(
        CColorCalc::correlatedColorTemperature(c.u - (d.u - c.u) / 2, c.v - (d.v - c.v) / 2),
        1025.0, 1e-6);
    EXPECT_EQ(CColorCalc::correlatedColorTemperature(std::nan(""), 0.3), 0.0);
}

// The Planckian reference at A's temperature on the 1.438833 scale is illuminant A's defining
// formula (2848 K with c2 = 1.435e-2); the daylight reference at 6504 K is D65. Compared in
// relative shape (normalised at 560 nm).
TEST(ReferenceIlluminant, ReproducesIlluminantsAAndD65) {
    struct Case {
        double T;
        int column;
        double tolerance;
    } cases[] = {{2848.0 * 1.438833 / 1.435, 0, 1e-5}, {6504.0, 1, 5e-4}};
    CColorCalc calc;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.T);
        ASSERT_TRUE(calc.referenceIlluminant(c.T));
        const auto& ref = calc.criWorkingData().reference;
        const std::vector<double> table = illuminantColumn(c.column);
        for (int i = 0; i < kCieGridCount; ++i)
            EXPECT_NEAR(ref[i] / ref[36] * 100.0 / table[i], 1.0, c.tolerance) << kGrid[i];
    }
}

TEST(ReferenceIlluminant, RangesAndTheLimit) {
    CColorCalc calc;
    ASSERT_TRUE(calc.referenceIlluminant(20000.0));
    ASSERT_TRUE(calc.referenceIlluminant(23000.0));
    const auto kept = calc.criWorkingData().reference;
    for (double T : {23000.001, 25000.0, 0.0, -100.0, std::nan("")}) {
        EXPECT_FALSE(calc.referenceIlluminant(T)) << T;
        EXPECT_EQ(calc.criWorkingData().reference, kept) << T;
    }
    // 4999 K is still Planckian, 5000 K daylight (S0 + M1 S1 + M2 S2 is 100 at 560 nm).
    ASSERT_TRUE(calc.referenceIlluminant(4999.0));
    EXPECT_DOUBLE_EQ(calc.criWorkingData().reference[10],
                     CColorCalc::planckRadiance(430.0, 4999.0));
    ASSERT_TRUE(calc.referenceIlluminant(5000.0));
    EXPECT_DOUBLE_EQ(calc.criWorkingData().reference[36], 100.0);
}

TEST(ComputeCri, ASourceEqualToItsReferenceRendersPerfectly) {
    for (int observer : {2, 10}) {
        for (double T : {2856.0, 4000.0, 6500.0, 7000.0, 20000.0}) {
            SCOPED_TRACE(testing::Message() << observer << " deg, " << T << " K");
            CColorCalc calc;
            calc.setObserver(observer);
            ASSERT_TRUE(calc.referenceIlluminant(T));
            const auto source = calc.criWorkingData().reference;
            double r[14], ra;
            ASSERT_TRUE(calc.computeCri(source.data(), kGrid.data(), kCieGridCount, T, r, &ra));
            EXPECT_NEAR(ra, 100.0, 1e-9);
            for (double ri : r)
                EXPECT_NEAR(ri, 100.0, 1e-9);
        }
    }
}

TEST(ComputeCri, NotAvailableWithoutReferenceOrSpectrum) {
    CColorCalc calc;
    std::vector<double> flat(kCieGridCount, 1.0);
    double r[14], ra = 1.0;
    EXPECT_FALSE(calc.computeCri(flat.data(), kGrid.data(), 0, 5000.0, r, &ra));
    EXPECT_EQ(ra, 0.0);

    // Above 23000 K: before any reference was formed the reference is all zero, afterwards it
    // is the previous spectrum's; neither may turn into numbers.
    for (int round = 0; round < 2; ++round) {
        ra = 1.0;
        EXPECT_FALSE(calc.computeCri(flat.data(), kGrid.data(), kCieGridCount, 30000.0, r, &ra));
        EXPECT_EQ(ra, 0.0);
        for (double ri : r)
            EXPECT_EQ(ri, 0.0);
        ASSERT_TRUE(calc.computeCri(flat.data(), kGrid.data(), kCieGridCount, 5455.0, r, &ra));
    }

    // Through computeColor: a 40000 K blackbody has a CCT but no rendering indices.
    std::vector<double> hot(kCieGridCount);
    for (int i = 0; i < kCieGridCount; ++i)
        hot[i] = CColorCalc::planckRadiance(kGrid[i], 40000.0);
    const ColorResult res = calc.computeColor(hot.data(), kGrid.data(), kCieGridCount);
    ASSERT_EQ(res.valid, 1);
    EXPECT_GT(res.cct, kMaxReferenceTemperature);
    EXPECT_EQ(res.criValid, 0);
    EXPECT_EQ(res.ra, 0.0);
}

}  // namespace

// Colorimetry: sampling onto the grid, white point, dominant wavelength, the result record.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "color/ColorCalc.h"

namespace {

const std::vector<double> kGrid(kCieGridWavelengths.begin(), kCieGridWavelengths.end());

TEST(NearestSampleIndex, Cases) {
    const std::vector<double> up = {400, 401, 402, 403, 404};
    const std::vector<double> down = {404, 403, 402, 401, 400};
    const std::vector<double> one = {500};
    struct Case {
        const std::vector<double>* w;
        double lambda;
        int expected;
    } cases[] = {
        {&up, 402.0, 2},   {&up, 402.4, 2},   {&up, 402.6, 3},   {&up, 401.5, 2},  // tie: hi
        {&up, 300.0, 0},   {&up, 900.0, 4},   {&up, 400.0, 0},   {&up, 404.0, 4},
        {&down, 402.0, 2}, {&down, 402.4, 2}, {&down, 402.6, 1}, {&down, 401.5, 3},
        {&down, 300.0, 4}, {&down, 900.0, 0}, {&one, 100.0, 0},  {&one, 900.0, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CColorCalc::nearestSampleIndex(c.lambda, c.w->data(), int(c.w->size())),
                  c.expected)
            << c.lambda << " in " << c.w->front() << ".." << c.w->back();
    EXPECT_EQ(CColorCalc::nearestSampleIndex(500.0, up.data(), 0), -1);
}

// Half-nanometre samples sit a quarter nanometre either side of every grid wavelength: the
// upper one is taken. A spectrum that covers only 500..600 nm repeats its end samples.
TEST(ComputeTristimulus, TakesTheNearestSampleOfEachGridWavelength) {
    CColorCalc calc;
    auto shape = [](double nm) { return 1.0 + std::sin(nm / 37.0); };

    std::vector<double> halfWave, halfValue, upper(kCieGridCount);
    for (double nm = 379.75; nm <= 780.5; nm += 0.5) {
        halfWave.push_back(nm);
        halfValue.push_back(shape(nm));
    }
    for (int i = 0; i < kCieGridCount; ++i)
        upper[i] = shape(kCieGridWavelengths[i] + 0.25);

    std::vector<double> partWave, partValue, clamped(kCieGridCount);
    for (double nm = 500; nm <= 600; nm += 1) {
        partWave.push_back(nm);
        partValue.push_back(shape(nm));
    }
    for (int i = 0; i < kCieGridCount; ++i)
        clamped[i] = shape(std::fmin(600.0, std::fmax(500.0, kCieGridWavelengths[i])));

    struct Case {
        std::vector<double>* wave;
        std::vector<double>* value;
        std::vector<double>* onGrid;
    } cases[] = {{&halfWave, &halfValue, &upper}, {&partWave, &partValue, &clamped}};
    for (const Case& c : cases) {
        double X, Y, Z, gX, gY, gZ;
        const double k = calc.computeTristimulus(int(c.wave->size()), c.wave->data(),
                                                 c.value->data(), -1.0, &X, &Y, &Z);
        const double gk = calc.computeTristimulus(kCieGridCount, kGrid.data(), c.onGrid->data(),
                                                  -1.0, &gX, &gY, &gZ);
        EXPECT_DOUBLE_EQ(k, gk);
        EXPECT_DOUBLE_EQ(Y, 100.0);
        EXPECT_DOUBLE_EQ(X, gX);
        EXPECT_DOUBLE_EQ(Z, gZ);
    }
}

TEST(ComputeTristimulus, GivenFactorAndEmptySpectrum) {
    CColorCalc calc;
    int messages = 0;
    calc.setMessageSink([&](ColorMessage m) {
        EXPECT_EQ(m, ColorMessage::TristimulusError);
        ++messages;
    });
    const std::vector<double> flat(kCieGridCount, 1.0);
    double X, Y, Z;
    EXPECT_EQ(calc.computeTristimulus(kCieGridCount, kGrid.data(), flat.data(), 2.0, &X, &Y, &Z),
              2.0);
    double sumY = 0.0;
    for (const auto& row : kCieObserver2)
        sumY += row[1];
    EXPECT_NEAR(Y, 2.0 * 5.0 * sumY, 1e-9);
    EXPECT_EQ(messages, 0);

    // No sample: one message, and no infinite factor from 100 / 0.
    EXPECT_EQ(calc.computeTristimulus(0, kGrid.data(), flat.data(), -1.0, &X, &Y, &Z), 0.0);
    EXPECT_EQ(messages, 1);
    EXPECT_EQ(X, 0.0);
    EXPECT_EQ(Y, 0.0);
    EXPECT_EQ(Z, 0.0);
}

TEST(PrepareWhitePoint, TakesTheObserversRowAndRefusesOtherIndices) {
    CColorCalc calc;
    calc.setObserver(2);
    ASSERT_EQ(calc.prepareWhitePoint(4), 1);
    EXPECT_DOUBLE_EQ(calc.whiteX(), 95.04 / 303.93);
    EXPECT_DOUBLE_EQ(calc.whiteY(), 100.0 / 303.93);
    calc.setObserver(10);
    ASSERT_EQ(calc.prepareWhitePoint(4), 1);
    EXPECT_EQ(calc.whitePoint()[0], 94.81);
    EXPECT_EQ(calc.prepareWhitePoint(6), 0);
    EXPECT_EQ(calc.prepareWhitePoint(-1), 0);
    EXPECT_EQ(calc.illuminant(), 4);
    EXPECT_EQ(calc.whitePoint()[2], 107.32);
}

TEST(DominantWavelength, MonochromaticStimuliGiveTheirWavelengthWithFullPurity) {
    CColorCalc calc;
    calc.prepareWhitePoint(4);
    for (int nm : {450, 480, 520, 555, 580, 620, 650}) {
        SCOPED_TRACE(nm);
        std::vector<double> line(kCieGridCount, 0.0);
        line[(nm - 380) / 5] = 1.0;
        const ColorResult r = calc.computeColor(line.data(), kGrid.data(), kCieGridCount);
        ASSERT_EQ(r.valid, 1);
        EXPECT_EQ(r.complementary, 0);
        // The 5 nm observer rows and the 1 nm locus are rounded separately.
        EXPECT_NEAR(r.dominantWavelength, nm, 0.5);
        EXPECT_NEAR(r.purity, 1.0, 0.01);
    }
}

// The locus point of the wavelength found lies on the line through the white point and (x, y).
void expectOnLineThroughWhite(const CColorCalc& calc, double x, double y, double wl) {
    const int j = static_cast<int>(wl) - 380;
    const CieLocusRow& a = kCieSpectralLocus[j];
    const CieLocusRow& b = kCieSpectralLocus[j + 1];
    const double f = wl - static_cast<int>(wl);
    const double lx = a.x + f * (b.x - a.x), ly = a.y + f * (b.y - a.y);
    const double cross =
        (x - calc.whiteX()) * (ly - calc.whiteY()) - (y - calc.whiteY()) * (lx - calc.whiteX());
    EXPECT_NEAR(cross, 0.0, 2e-4) << wl;
}

TEST(DominantWavelength, WhitePurpleAndLocusEnd) {
    CColorCalc calc;
    calc.prepareWhitePoint(4);
    double wl, purity;
    int complementary;

    ASSERT_TRUE(
        calc.dominantWavelength(calc.whiteX(), calc.whiteY(), &wl, &purity, &complementary));
    EXPECT_EQ(purity, 0.0);

    // Between the white point and the purple line, right of the white point.
    ASSERT_TRUE(calc.dominantWavelength(0.40, 0.20, &wl, &purity, &complementary));
    EXPECT_EQ(complementary, 1);
    EXPECT_GE(wl, 380 + calc.kA());
    EXPECT_LE(wl, 380 + calc.k0() + 1);
    EXPECT_LT(purity, 0.0);
    expectOnLineThroughWhite(calc, 0.40, 0.20, wl);

    // Left of the white point, below the line to 380 nm: complementary on the yellow side.
    ASSERT_TRUE(calc.dominantWavelength(0.25, 0.12, &wl, &purity, &complementary));
    EXPECT_EQ(complementary, 1);
    EXPECT_GE(wl, 380 + calc.k0() - 1);
    EXPECT_LE(wl, 380 + calc.kB() + 1);
    EXPECT_LT(purity, 0.0);
    expectOnLineThroughWhite(calc, 0.25, 0.12, wl);

    // The locus rows from 699 to 780 nm share one chromaticity (to 5 decimals); the search
    // keeps the first of equal rows, so the 780 nm end reads 699 nm.
    const CieLocusRow& end = kCieSpectralLocus[400];
    ASSERT_TRUE(calc.dominantWavelength(end.x, end.y, &wl, &purity, &complementary));
    EXPECT_EQ(complementary, 0);
    EXPECT_EQ(wl, 699.0);
    EXPECT_DOUBLE_EQ(purity, 1.0);
}

// Nothing to measure must read as "no result", never as NaN or infinity shown as a number.
TEST(ComputeColor, ColourlessSpectraGiveAnInvalidResult) {
    CColorCalc calc;
    int messages = 0;
    calc.setMessageSink([&](ColorMessage) { ++messages; });
    const std::vector<double> zero(kCieGridCount, 0.0);
    std::vector<double> withNan(kCieGridCount, 1.0);
    withNan[40] = std::nan("");
    std::vector<double> negative(kCieGridCount, -1.0);
    struct Case {
        const char* what;
        const double* values;
        int count;
        int messages;
    } cases[] = {{"empty", zero.data(), 0, 1},
                 {"all zero", zero.data(), kCieGridCount, 0},
                 {"a NaN sample", withNan.data(), kCieGridCount, 0},
                 {"negative", negative.data(), kCieGridCount, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        messages = 0;
        const ColorResult r = calc.computeColor(c.values, kGrid.data(), c.count);
        EXPECT_EQ(r.valid, 0);
        EXPECT_EQ(r.criValid, 0);
        EXPECT_EQ(messages, c.messages);
        for (double v : {r.x, r.y, r.X, r.Y, r.u, r.cct, r.ra, r.labL, r.hunterA, r.yi, r.redRatio})
            EXPECT_EQ(v, 0.0);
    }
}

TEST(ComputeColor, LabHasNoLinearBranchAndRedRatioStartsAt600) {
    CColorCalc calc;
    calc.prepareWhitePoint(4);
    // A flat spectrum scaled so that Y / Yn = 0.001: L* = 116 * 0.1 - 16 exactly.
    std::vector<double> flat(kCieGridCount, 1.0);
    const ColorResult unit = calc.computeColor(flat.data(), kGrid.data(), kCieGridCount);
    for (double& v : flat)
        v *= 0.1 / unit.Y;
    const ColorResult dim = calc.computeColor(flat.data(), kGrid.data(), kCieGridCount);
    EXPECT_NEAR(dim.labL, 116.0 * 0.1 - 16.0, 1e-9);

    std::vector<double> at600(kCieGridCount, 0.0), at595(kCieGridCount, 0.0);
    at600[44] = 1.0;
    at595[43] = 1.0;
    EXPECT_EQ(calc.computeColor(at600.data(), kGrid.data(), kCieGridCount).redRatio, 1.0);
    EXPECT_EQ(calc.computeColor(at595.data(), kGrid.data(), kCieGridCount).redRatio, 0.0);
}

// With 10 degrees the sums, the white point and the red ratio use the 10 degree tables.
TEST(ComputeColor, TenDegreeObserverUsesItsOwnTables) {
    CColorCalc calc;
    calc.setObserver(10);
    calc.prepareWhitePoint(4);
    std::vector<double> flat(kCieGridCount, 1.0);
    const ColorResult r = calc.computeColor(flat.data(), kGrid.data(), kCieGridCount);
    double sx = 0, sy = 0, sz = 0, red = 0;
    for (int i = 0; i < kCieGridCount; ++i) {
        sx += kCieObserver10[i][0];
        sy += kCieObserver10[i][1];
        sz += kCieObserver10[i][2];
        if (i >= 44) red += kCieObserver10[i][1];
    }
    EXPECT_NEAR(r.x, sx / (sx + sy + sz), 1e-12);
    EXPECT_NEAR(r.redRatio, red / sy, 1e-12);
    EXPECT_NEAR(r.labL, 116.0 * std::cbrt(r.Y / 100.0) - 16.0, 1e-9);
    EXPECT_EQ(calc.whitePoint()[0], 94.81);
}

}  // namespace

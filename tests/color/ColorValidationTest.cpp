// Whole computations against published CIE figures for CIE illuminants and blackbodies.
//
// Tolerances and what stands behind the differences:
// - x, y: A and D65 to 1e-5 (CIE 15 computes them on the same 5 nm grid), F1..F12 to 1e-4
//   (published to 4 decimals).
// - CCT: A 2856 K within 2 K, D65 6504 K within 25 K, F1..F12 within 15 K of the published
//   figures (rounded to 10 K). The table rule projects onto the chord between the two nearest
//   table rows; above 5000 K the rows follow the daylight locus, about 0.003 above the
//   Planckian locus in v, so sources off the locus there read up to 10 K lower than the CIE's
//   perpendicular to the Planckian locus (F5 6337 K, F7 6488 K, where the CIE rule gives 6347 K
//   and 6496 K). Blackbodies below 5000 K lie on the table's Planckian rows: within 1 K.
// - Ra: published F figures are whole numbers; the computed ones are within 0.5 of them.
//   F8 (95.1) and F10 (80.7) sit at 5002 K and 5001 K here, so they get the daylight
//   reference where the CIE's 4998 K and 4999 K take the Planckian one (95.5 and 81.0).
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "color/ColorCalc.h"
#include "tests/color/IlluminantTable.h"

namespace {

const std::vector<double> kGrid(kCieGridWavelengths.begin(), kCieGridWavelengths.end());

ColorResult colorOf(const std::vector<double>& spectrum, int observer = 2) {
    CColorCalc calc;
    calc.setObserver(observer);
    calc.prepareWhitePoint(4);
    return calc.computeColor(spectrum.data(), kGrid.data(), kCieGridCount);
}

TEST(ColorValidation, CieIlluminantsMatchThePublishedFigures) {
    struct Published {
        const char* name;
        double x, y, cct, ra;
        double xyTolerance, cctTolerance, raTolerance;
    } table[] = {
        {"A", 0.44758, 0.40745, 2856, 100, 1e-5, 2, 0.01},
        {"D65", 0.31272, 0.32903, 6504, 99.99, 1e-5, 25, 0.02},
        {"F1", 0.3131, 0.3371, 6430, 76, 1e-4, 15, 0.5},
        {"F2", 0.3721, 0.3751, 4230, 64, 1e-4, 15, 0.5},
        {"F3", 0.4091, 0.3941, 3450, 57, 1e-4, 15, 0.5},
        {"F4", 0.4402, 0.4031, 2940, 51, 1e-4, 15, 0.5},
        {"F5", 0.3138, 0.3452, 6350, 72, 1e-4, 15, 0.5},
        {"F6", 0.3779, 0.3882, 4150, 59, 1e-4, 15, 0.5},
        {"F7", 0.3129, 0.3292, 6500, 90, 1e-4, 15, 0.5},
        {"F8", 0.3458, 0.3586, 5000, 95, 1e-4, 15, 0.5},
        {"F9", 0.3741, 0.3727, 4150, 90, 1e-4, 15, 0.5},
        {"F10", 0.3458, 0.3588, 5000, 81, 1e-4, 15, 0.5},
        {"F11", 0.3805, 0.3769, 4000, 83, 1e-4, 15, 0.5},
        {"F12", 0.4370, 0.4042, 3000, 83, 1e-4, 15, 0.5},
    };
    for (int i = 0; i < 14; ++i) {
        const Published& p = table[i];
        SCOPED_TRACE(p.name);
        const std::vector<double> spectrum = illuminantColumn(i);
        ASSERT_EQ(spectrum.size(), size_t(kCieGridCount));
        const ColorResult r = colorOf(spectrum);
        ASSERT_EQ(r.valid, 1);
        ASSERT_EQ(r.criValid, 1);
        EXPECT_NEAR(r.x, p.x, p.xyTolerance);
        EXPECT_NEAR(r.y, p.y, p.xyTolerance);
        EXPECT_NEAR(r.cct, p.cct, p.cctTolerance);
        EXPECT_NEAR(r.ra, p.ra, p.raTolerance);
    }
}

// CIE 15 Table T.3 for the 10 degree observer: A (0.45117, 0.40594), D65 (0.31382, 0.33100).
// The 5 nm grid over 380..780 nm lands within 3e-5 of them (D65: +1.5e-5 in x, +2.3e-5 in y).
TEST(ColorValidation, TenDegreeChromaticity) {
    const ColorResult a = colorOf(illuminantColumn(0), 10);
    const ColorResult d65 = colorOf(illuminantColumn(1), 10);
    EXPECT_NEAR(a.x, 0.45117, 3e-5);
    EXPECT_NEAR(a.y, 0.40594, 3e-5);
    EXPECT_NEAR(d65.x, 0.31382, 3e-5);
    EXPECT_NEAR(d65.y, 0.33100, 3e-5);
}

// A blackbody's CCT is its temperature, and it renders like its own (Planckian) reference.
TEST(ColorValidation, BlackbodiesBelow5000K) {
    for (double T = 1000.0; T < 5000.0; T += 250.0) {
        SCOPED_TRACE(T);
        std::vector<double> spectrum(kCieGridCount);
        for (int i = 0; i < kCieGridCount; ++i) {
            const double m = kGrid[i] * 1e-9;
            spectrum[i] = 1.0 / (std::pow(m, 5) * (std::exp(1.4388e-2 / (m * T)) - 1.0));
        }
        const ColorResult r = colorOf(spectrum);
        ASSERT_EQ(r.valid, 1);
        EXPECT_NEAR(r.cct, T, 1.0);
        EXPECT_NEAR(r.ra, 100.0, 0.05);
    }
}

}  // namespace

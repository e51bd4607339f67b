#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "core/SpectrumData.h"
#include "resources/StringTable.h"

namespace {

std::vector<double> filled(int n, double v) {
    return std::vector<double>(n, v);
}

std::vector<double> ramp(int n, double start, double step) {
    std::vector<double> v(n);
    for (int i = 0; i < n; ++i)
        v[i] = start + i * step;
    return v;
}

// Publishes a frame with the given values over a wavelength axis 400, 401, ...
void publish(CSpectrumData& d, const std::vector<double>& values) {
    const auto wave = ramp(static_cast<int>(values.size()), 400.0, 1.0);
    ASSERT_EQ(d.setSpectrum(wave.data(), values.data(), static_cast<int>(values.size())), 1);
}

TEST(SpectrumData, StartsWithTheDocumentedDefaults) {
    CSpectrumData d;
    EXPECT_EQ(d.current.typeName, "Spectrum view");
    EXPECT_EQ(d.current.count, kMaxPixels);
    EXPECT_EQ(d.current.valid, 1);
    EXPECT_DOUBLE_EQ(d.current.wave[3], 0.75);
    EXPECT_DOUBLE_EQ(d.current.value[3], 0.0);
    EXPECT_EQ(d.frameCounter, 0);
    EXPECT_EQ(d.scaleFactor, 1);
    EXPECT_EQ(d.valueDecimals, 2);
    EXPECT_FALSE(d.dark.allocated());
    EXPECT_EQ(d.fileTypeNames[0], "Spectrum file");
    EXPECT_EQ(d.fileTypeNames[12], "Concentration");
    EXPECT_EQ(d.fileExtensions[8], ".cal");
    EXPECT_EQ(d.fileExtensions[10], ".data");
}

TEST(SpectrumData, FileTypeNamesFollowTheUiLanguage) {
    setUiLanguage(kLangSimplifiedChinese);
    CSpectrumData d;
    setUiLanguage(kLangEnglish);
    EXPECT_EQ(d.fileTypeNames[0], "光谱文件");
}

TEST(SpectrumData, SetSpectrumAcceptsUpTo3700PointsAndRefusesMore) {
    CSpectrumData d;
    const auto wave = ramp(kMaxPixels + 1, 200.0, 0.25);
    const auto values = filled(kMaxPixels + 1, 7.0);
    EXPECT_EQ(d.setSpectrum(nullptr, values.data(), kMaxPixels + 1), 0);
    EXPECT_EQ(d.frameCounter, 0);
    EXPECT_DOUBLE_EQ(d.current.value[0], 0.0);
    EXPECT_EQ(d.setSpectrum(nullptr, nullptr, 10), 0);
    EXPECT_EQ(d.setSpectrum(wave.data(), nullptr, -1), 0);

    EXPECT_EQ(d.setSpectrum(wave.data(), values.data(), kMaxPixels), 1);
    EXPECT_EQ(d.frameCounter, 1);
    EXPECT_EQ(d.current.count, kMaxPixels);
    EXPECT_EQ(d.current.typeName, "Spectrum data");
    EXPECT_DOUBLE_EQ(d.current.value[kMaxPixels - 1], 7.0);
}

TEST(SpectrumData, ScaleFactorMultipliesValuesButNeverTheAxis) {
    CSpectrumData d;
    d.scaleFactor = 3;
    const auto wave = ramp(4, 500.0, 1.0);
    const std::vector<double> values{1, 2, 3, 4};
    d.setSpectrum(wave.data(), values.data(), 4);
    EXPECT_DOUBLE_EQ(d.current.value[3], 12.0);
    EXPECT_DOUBLE_EQ(d.current.wave[3], 503.0);
    // The axis alone (as the device manager sets it) keeps the values.
    d.setSpectrum(ramp(4, 600.0, 1.0).data(), nullptr, 4);
    EXPECT_DOUBLE_EQ(d.current.value[3], 12.0);
    EXPECT_DOUBLE_EQ(d.current.wave[0], 600.0);
}

TEST(SpectrumData, NonlinearCorrectionAppliesFrom40000OnCopiesOnly) {
    CSpectrumData d;
    d.nonlinearEnabled = 1;
    d.nonlinearCoeff = {10.0, 0.001, 0, 0, 0, 0};  // +10 + v/1000
    const std::vector<double> values{39999.99, 40000.0, 50000.0};
    publish(d, values);
    std::vector<double> out(kMaxPixels);
    int n = 0;

    d.nonlinearCount = 0;  // the device gave no coefficients: unchanged
    d.getSpectrum(nullptr, out.data(), &n);
    EXPECT_DOUBLE_EQ(out[1], 40000.0);

    d.nonlinearCount = 6;
    d.getSpectrum(nullptr, out.data(), &n);
    EXPECT_EQ(n, 3);
    EXPECT_DOUBLE_EQ(out[0], 39999.99);
    EXPECT_DOUBLE_EQ(out[1], 40000.0 + 10.0 + 40.0);
    EXPECT_DOUBLE_EQ(out[2], 50000.0 + 10.0 + 50.0);
    EXPECT_DOUBLE_EQ(d.current.value[1], 40000.0);

    d.nonlinearEnabled = 0;
    d.getSpectrum(nullptr, out.data(), &n);
    EXPECT_DOUBLE_EQ(out[2], 50000.0);
}

TEST(SpectrumData, MinusDarkCorrectsTheSubtractedValue) {
    CSpectrumData d;
    publish(d, {1000.0, 1000.0});
    ASSERT_EQ(d.storeDark(), 1);
    publish(d, {41000.0, 40999.0});
    d.nonlinearEnabled = 1;
    d.nonlinearCount = 6;
    d.nonlinearCoeff = {5.0, 0, 0, 0, 0, 0};
    std::vector<double> out(kMaxPixels);
    int n = 0;
    d.getSpectrumMinusDark(nullptr, out.data(), &n);
    EXPECT_DOUBLE_EQ(out[0], 40005.0);  // 40000 after subtraction: corrected
    EXPECT_DOUBLE_EQ(out[1], 39999.0);  // below the threshold after subtraction
}

TEST(SpectrumData, NetReferenceNeedsBothAndUsesRawScaledValues) {
    CSpectrumData d;
    d.scaleFactor = 2;
    d.nonlinearEnabled = 1;
    d.nonlinearCount = 6;
    d.nonlinearCoeff = {1000.0, 0, 0, 0, 0, 0};
    publish(d, {30000.0, 25000.0});
    ASSERT_EQ(d.storeReference(), 1);
    EXPECT_EQ(d.hasReference, 1);
    EXPECT_EQ(d.hasNetReference, 0);
    EXPECT_EQ(d.reference.typeName, "ReflightData");
    EXPECT_DOUBLE_EQ(d.reference.value[0], 60000.0);  // scaled, not corrected

    publish(d, {100.0, 50.0});
    ASSERT_EQ(d.storeDark(), 1);
    EXPECT_EQ(d.hasNetReference, 1);
    EXPECT_EQ(d.netReference.typeName, "NetRefLightData");
    EXPECT_DOUBLE_EQ(d.netReference.value[0], 60000.0 - 200.0);
    EXPECT_DOUBLE_EQ(d.netReference.value[1], 50000.0 - 100.0);
    EXPECT_EQ(d.lastStored.count, 2);
    EXPECT_DOUBLE_EQ(d.lastStored.value[0], 200.0);  // the background was stored last
}

TEST(SpectrumData, DerivedSpectraAreZeroWhereTheRatioIsUndefined) {
    CSpectrumData d;
    std::vector<double> values(kMaxPixels), wave(kMaxPixels);
    int n = -1;
    EXPECT_EQ(d.getAbsorbance(values.data(), wave.data(), &n), 0);
    EXPECT_EQ(n, 0);

    publish(d, {10.0, 10.0, 10.0, 10.0});
    d.storeDark();
    publish(d, {1010.0, 10.0, 1010.0, 1010.0});
    d.storeReference();
    // pixel 0: S-D = 100 -> A = 1; pixel 1: N = 0; pixel 2: S-D = 0; pixel 3: S-D < 0
    publish(d, {110.0, 500.0, 10.0, 5.0});
    ASSERT_EQ(d.getAbsorbance(values.data(), wave.data(), &n), 1);
    ASSERT_EQ(n, 4);
    EXPECT_NEAR(values[0], 1.0, 1e-6);
    EXPECT_EQ(values[1], 0.0);
    EXPECT_EQ(values[2], 0.0);
    EXPECT_EQ(values[3], 0.0);
    EXPECT_DOUBLE_EQ(wave[3], 403.0);

    ASSERT_EQ(d.getTransmissivity(values.data(), wave.data(), &n), 1);
    EXPECT_DOUBLE_EQ(values[0], 10.0);
    EXPECT_EQ(values[1], 0.0);
}

TEST(SpectrumData, AbsorbanceIsRoundedToSinglePrecision) {
    CSpectrumData d;
    publish(d, {0.0});
    d.storeDark();
    publish(d, {3.0});
    d.storeReference();
    publish(d, {1.0});
    std::vector<double> values(kMaxPixels), wave(kMaxPixels);
    int n = 0;
    d.getAbsorbance(values.data(), wave.data(), &n);
    const float expected = static_cast<float>(std::log10(static_cast<double>(1.0f / 3.0f)));
    EXPECT_EQ(values[0], -static_cast<double>(expected));
    EXPECT_NE(values[0], -std::log10(1.0 / 3.0));
}

TEST(SpectrumData, ReflectivityNeedsTheWhiteBoardAndGuardsZeroDenominators) {
    CSpectrumData d;
    publish(d, {10.0, 10.0, 10.0});
    d.storeDark();
    publish(d, {210.0, 210.0, 20.0});
    d.storeReference();
    publish(d, {60.0, 60.0, 60.0});
    std::vector<double> values(kMaxPixels), wave(kMaxPixels);
    int n = 0;
    EXPECT_EQ(d.getReflectivity(values.data(), wave.data(), &n), 0);
    ASSERT_TRUE(allocateSlot(d.whiteBoard));
    d.whiteBoard.value[0] = 1.0;
    d.whiteBoard.value[1] = 0.0;
    d.whiteBoard.value[2] = 2.0;  // R/W - D = 0
    ASSERT_EQ(d.getReflectivity(values.data(), wave.data(), &n), 1);
    EXPECT_DOUBLE_EQ(values[0], 50.0 / 200.0 * 100.0);
    EXPECT_EQ(values[1], 0.0);
    EXPECT_EQ(values[2], 0.0);
}

TEST(SpectrumData, TransmissivityShowsASingleLoadedTestSeries) {
    struct Case {
        std::vector<std::string> names;
        bool shown;
    };
    const std::vector<Case> cases = {
        {{"sample_Tavrintest_1"}, true},
        {{"Tavrintest_1"}, false},          // the marker at position 0
        {{"aTavrintest", "other"}, false},  // two loaded series
        {{"plain"}, false},
    };
    for (const Case& c : cases) {
        CSpectrumData d;
        const std::vector<double> wave{1, 2, 3}, values{7, 8, 9};
        for (const auto& name : c.names)
            d.addSeries(1, name, wave.data(), values.data(), 3);
        std::vector<double> outV(kMaxPixels), outW(kMaxPixels);
        int n = 0;
        const int r = d.getTransmissivity(outV.data(), outW.data(), &n);
        EXPECT_EQ(r == 1, c.shown) << c.names[0];
        EXPECT_EQ(d.testSeriesShown, c.shown ? 1 : 0) << c.names[0];
        if (c.shown) {
            EXPECT_EQ(n, 3);
            EXPECT_DOUBLE_EQ(outV[2], 9.0);
            EXPECT_DOUBLE_EQ(outW[0], 1.0);
        }
    }
}

TEST(SpectrumData, AddSeriesKeepsNamesUniqueAndRefusesBadCounts) {
    CSpectrumData d;
    const std::vector<double> wave{1, 2}, values{3, 4};
    EXPECT_EQ(d.addSeries(2, "a", wave.data(), values.data(), 2), 1);
    EXPECT_EQ(d.addSeries(2, "a", wave.data(), values.data(), 2), 0);
    EXPECT_EQ(d.addSeries(2, "A", wave.data(), values.data(), 2), 1);  // case-sensitive
    EXPECT_EQ(d.addSeries(2, "b", wave.data(), values.data(), -1), 0);
    EXPECT_EQ(d.addSeries(2, "c", wave.data(), values.data(), 1 << 29), 0);
    ASSERT_EQ(d.extraSeries.size(), 2u);
    EXPECT_EQ(d.extraSeries[0].typeCode, 2);
    EXPECT_EQ(d.extraSeries[0].valid, 1);
    EXPECT_EQ(d.extraSeries[0].wave.size(), 2u);
}

TEST(SpectrumData, FixedSlotsRefuseMoreThan3700Points) {
    CSpectrumData d;
    const auto big = filled(kMaxPixels + 1, 1.0);
    EXPECT_EQ(d.setAbsoluteIrradiance(big.data(), big.data(), kMaxPixels + 1), 0);
    EXPECT_EQ(d.copyToLastStored(kMaxPixels + 1, big.data(), big.data()), 0);
    EXPECT_EQ(d.setAbsoluteIrradiance(big.data(), big.data(), kMaxPixels), 1);
    EXPECT_EQ(d.absoluteIrradiance.typeName, "Absolute Irradiance");
}

TEST(SpectrumData, SaveLastStoredSetsDecimalsAndReportsTheWritersResult) {
    CSpectrumData d;
    const std::vector<std::pair<int, int>> decimals = {{0, 1}, {1, 3},  {7, 3},  {8, 10},
                                                       {9, 1}, {10, 3}, {11, 1}, {12, 1}};
    publish(d, {1.0, 2.0});
    d.storeDark();
    int writerResult = 1, writtenCount = 0;
    CSpectrumData::setSeriesFileWriter([&](CSpectrumData&, const std::string&, const std::string&,
                                           const double*, const double*, int count) {
        writtenCount = count;
        return writerResult;
    });
    for (auto [type, expected] : decimals) {
        EXPECT_EQ(d.saveLastStored("x", "", type), 1);
        EXPECT_EQ(d.valueDecimals, expected) << "type " << type;
    }
    EXPECT_EQ(writtenCount, 2);
    writerResult = 0;
    EXPECT_EQ(d.saveLastStored("x", "", 0), 0);
    CSpectrumData::setSeriesFileWriter(nullptr);
    EXPECT_EQ(d.saveLastStored("x", "", 0), 0);
}

TEST(SpectrumData, ConcentrationByEachMethod) {
    CSpectrumData d;
    // Absorbance 1 at 400 nm, 2 at 401 nm, 3 at 402 nm.
    publish(d, {0.0, 0.0, 0.0});
    d.storeDark();
    publish(d, {1000.0, 1000.0, 1000.0});
    d.storeReference();
    publish(d, {100.0, 10.0, 1.0});
    ConcentrationSettings& c = d.concentration;
    double result = -1;

    c.beerLambert = 1;
    c.beerFactor = 2.0;
    c.beerWavelength = 401.2;
    EXPECT_EQ(d.evaluateConcentration(&result), 1);
    EXPECT_NEAR(result, 4.0, 1e-5);

    c.beerLambert = 0;
    c.curveA0 = 1.0;
    c.curveA1 = 2.0;
    c.curveA2 = 0.5;
    c.curveMethod = 0;
    c.curveWavelength = 402.0;
    d.evaluateConcentration(&result);
    EXPECT_NEAR(result, 2.0 * 3 + 1 + 0.5 * 9, 1e-5);

    c.curveMethod = 1;
    c.bandStart = 400.0;
    c.bandEnd = 401.0;  // inclusive: mean of 1 and 2
    d.evaluateConcentration(&result);
    EXPECT_NEAR(result, 2.0 * 1.5 + 1 + 0.5 * 2.25, 1e-5);

    c.bandStart = 900.0;  // an empty band leaves the result as it was
    c.bandEnd = 950.0;
    const double before = result;
    EXPECT_EQ(d.evaluateConcentration(&result), 0);
    EXPECT_EQ(result, before);

    c.curveMethod = 2;
    c.integralRule = 2;
    c.integralStart = 400.0;
    c.integralEnd = 402.0;
    d.evaluateConcentration(&result);
    const double a = 1.5;  // trapezoid over 400..401 only: it stops at x[e-1]
    EXPECT_NEAR(result, 2.0 * a + 1 + 0.5 * a * a, 1e-5);
}

TEST(SplitNumbers, SeparatorsAndTokens) {
    std::vector<double> out{99};
    splitNumbers("  1.5\t2,,3  -4e2 12abc x", out);
    EXPECT_EQ(out, (std::vector<double>{1.5, 2, 3, -400, 12, 0}));
    splitNumbers("", out);
    EXPECT_TRUE(out.empty());
    splitNumbers("7", out);
    EXPECT_EQ(out, std::vector<double>{7});
}

}  // namespace

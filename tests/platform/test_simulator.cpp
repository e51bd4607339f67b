#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <numeric>
#include <vector>

#include "platform/simulator/Simulator.h"

namespace {

class SimulatorTest : public ::testing::Test {
  protected:
    void SetUp() override {
        corvaneSimReset();
        corvaneSimSetRealtime(0);
        h = api.connect(SP_SIMULATOR_ID);
        ASSERT_NE(h, nullptr);
    }
    void TearDown() override {
        if (h) api.close(h);
        corvaneSimReset();
    }
    std::vector<double> frame(int integrationUs, int boxcar = 1) {
        EXPECT_EQ(api.config(h, integrationUs, boxcar, 17), 1);
        std::vector<double> f(SP_MAX_PIXELS);
        f.resize(api.readDoubleCCD(h, f.data()));
        return f;
    }
    int pixelOf(double nm) { return api.waveLengthToPixel(h, nm) - 1; }

    const SpectrometerApi& api = simulatorApi();
    SPHANDLE h = nullptr;
};

double mean(const std::vector<double>& v, int from, int to) {
    return std::accumulate(v.begin() + from, v.begin() + to, 0.0) / (to - from);
}

TEST_F(SimulatorTest, IdentityAndAxisLookLikeAnInstrument) {
    int a = 0, b = 0, c = 0, lo = 0, hi = 0;
    double first = 0, last = 0;
    ASSERT_TRUE(api.getCCDInfo(h, &a, &b, &c));
    EXPECT_EQ(a - b, 2048);
    EXPECT_GT(b, 0);
    ASSERT_TRUE(api.getWaveLengthRange(h, &first, &last));
    EXPECT_NEAR(first, 200.0, 10.0);
    EXPECT_NEAR(last, 1100.0, 20.0);
    EXPECT_DOUBLE_EQ(api.pixelToWaveLength(h, 1), first);
    EXPECT_DOUBLE_EQ(api.pixelToWaveLength(h, 2048), last);
    EXPECT_EQ(api.waveLengthToPixel(h, api.pixelToWaveLength(h, 777)), 777);
    EXPECT_EQ(api.getIntegrateTimeRange(h, &lo, &hi), 1);
    EXPECT_EQ(lo, 10);
    EXPECT_EQ(hi, 60'000'000);
    EXPECT_GT(api.getComProtocol(h), 0x101);
    EXPECT_EQ(api.getADDigits(h), 16);
    double k[SP_MAX_NL_COEFFS];
    int n = 0;
    EXPECT_TRUE(api.readNLCalData(h, k, &n));
    EXPECT_EQ(n, 6);
    char text[SP_TEXT_SIZE];
    ASSERT_TRUE(api.getFirmWareVer(h, text));
    EXPECT_EQ(std::count(text, text + strlen(text), '.'), 2);
    EXPECT_TRUE(api.getGratting(h, text) && api.getLens(h, text) && api.getFilter(h, text));
    EXPECT_EQ(api.config(h, 5, 1, 17), 0);     // below the range
    EXPECT_EQ(api.config(h, 4000, 1, 99), 0);  // unknown trigger mode
}

TEST_F(SimulatorTest, ScenesHaveTheirShapes) {
    corvaneSimSetScene(CORVANE_SIM_DARK);
    const auto dark = frame(4000);
    ASSERT_EQ(dark.size(), 2048u);
    EXPECT_NEAR(mean(dark, 0, 2048), 1000.0, 20.0);

    corvaneSimSetScene(CORVANE_SIM_LAMP);
    const auto lamp = frame(4000);
    const double peak = *std::max_element(lamp.begin(), lamp.end());
    EXPECT_GT(peak, 20000.0);
    EXPECT_LT(peak, 40000.0);
    // A tungsten lamp is weak in the ultraviolet.
    EXPECT_LT(mean(lamp, pixelOf(300), pixelOf(310)), 0.2 * peak);

    corvaneSimSetScene(CORVANE_SIM_SAMPLE);
    const auto sample = frame(4000);
    const int band = pixelOf(660);
    EXPECT_LT(sample[band] - 1000.0, 0.3 * (lamp[band] - 1000.0));

    corvaneSimSetScene(CORVANE_SIM_LINES);
    const auto lines = frame(4000);
    const int line = pixelOf(546.07);
    const auto top = std::max_element(lines.begin() + line - 5, lines.begin() + line + 6);
    EXPECT_LE(std::abs((top - lines.begin()) - line), 1);
    EXPECT_GT(*top, 10000.0);
    EXPECT_LT(lines[pixelOf(560)], 1200.0);  // between lines: the dark level

    corvaneSimSetScene(CORVANE_SIM_LED);
    const auto led = frame(4000);
    EXPECT_NEAR(
        api.pixelToWaveLength(
            h, 1 + static_cast<int>(std::max_element(led.begin(), led.end()) - led.begin())),
        525.0, 10.0);
}

TEST_F(SimulatorTest, SignalGrowsWithTimeAndSaturatesAtFullScale) {
    const int p = pixelOf(700);
    const double at4 = frame(4000)[p] - 1000.0;
    const double at2 = frame(2000)[p] - 1000.0;
    EXPECT_NEAR(at4 / at2, 2.0, 0.1);
    const auto saturated = frame(1'000'000);
    EXPECT_EQ(*std::max_element(saturated.begin(), saturated.end()), 65535.0);
    corvaneSimSetScene(CORVANE_SIM_DARK);
    EXPECT_GT(mean(frame(10'000'000), 0, 2048), mean(frame(10'000), 0, 2048) + 200.0);
}

TEST_F(SimulatorTest, BoxcarSmoothsTheNoise) {
    corvaneSimSetScene(CORVANE_SIM_DARK);
    auto spread = [](const std::vector<double>& v) {
        double m = 0, s = 0;
        for (double x : v)
            m += x;
        m /= v.size();
        for (double x : v)
            s += (x - m) * (x - m);
        return std::sqrt(s / v.size());
    };
    EXPECT_LT(spread(frame(4000, 9)), 0.5 * spread(frame(4000, 1)));
}

TEST_F(SimulatorTest, FaultsAndUnplugging) {
    corvaneSimSetFault(CORVANE_SIM_FAULT_ZERO_READS, 2);
    double buf[SP_MAX_PIXELS];
    EXPECT_EQ(api.readDoubleCCD(h, buf), 0);
    EXPECT_EQ(api.readDoubleCCD(h, buf), 0);
    EXPECT_EQ(api.readDoubleCCD(h, buf), 2048);

    // Every read, not only the first, is late by the slow-read delay (a lower bound only).
    for (const int realtime : {0, 1}) {
        corvaneSimSetRealtime(realtime);
        corvaneSimSetFault(CORVANE_SIM_FAULT_SLOW_READ_MS, 15);
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(api.readDoubleCCD(h, buf), 2048);
        EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(60));
        corvaneSimSetFault(CORVANE_SIM_FAULT_SLOW_READ_MS, 0);
    }
    corvaneSimSetRealtime(0);

    int ids[SP_MAX_DEVICES], n = -1;
    api.getAllDevices(ids, &n);
    EXPECT_EQ(n, 0);  // 9999 is reached by its id only
    ASSERT_EQ(corvaneSimPlug(3), 1);
    api.getAllDevices(ids, &n);
    ASSERT_EQ(n, 1);
    EXPECT_EQ(ids[0], 3);
    SPHANDLE usb = api.connect(3);
    ASSERT_NE(usb, nullptr);
    ASSERT_EQ(corvaneSimUnplug(3), 1);
    api.getAllDevices(ids, &n);
    EXPECT_EQ(n, 0);
    EXPECT_EQ(api.readDoubleCCD(usb, buf), 0);
    ASSERT_EQ(corvaneSimPlug(3), 1);
    EXPECT_EQ(api.readDoubleCCD(usb, buf), 0);  // the old handle stays dead
    EXPECT_EQ(corvaneSimStaleHandleCalls(), 0);
    api.close(usb);
    api.close(usb);  // a second close is noticed
    EXPECT_EQ(corvaneSimStaleHandleCalls(), 1);

    corvaneSimSetFault(CORVANE_SIM_FAULT_CONNECT_FAIL, 1);
    EXPECT_EQ(api.connect(SP_SIMULATOR_ID), nullptr);
    corvaneSimSetFault(CORVANE_SIM_FAULT_CONNECT_FAIL, 0);

    ASSERT_EQ(corvaneSimSetIdentity(SP_SIMULATOR_ID, "protocol", "1"), 1);
    char text[SP_TEXT_SIZE];
    EXPECT_EQ(api.getComProtocol(h), 1);
    EXPECT_EQ(api.getGratting(h, text), 0);
    EXPECT_EQ(corvaneSimSetIdentity(SP_SIMULATOR_ID, "colour", "x"), 0);
}

}  // namespace

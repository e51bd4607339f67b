#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "core/SpectrumData.h"

namespace {

// Every published frame holds one value everywhere; a copy mixing two frames would show two.
TEST(SpectrumDataThreads, CopiesOfCurrentHoldOneWholeFrame) {
    CSpectrumData d;
    std::atomic<bool> done{false};
    std::thread writer([&] {
        std::vector<double> frame(kMaxPixels);
        for (int k = 1; k <= 3000; ++k) {
            std::fill(frame.begin(), frame.end(), static_cast<double>(k));
            d.setSpectrum(nullptr, frame.data(), kMaxPixels);
        }
        done = true;
    });
    std::vector<double> copy(kMaxPixels);
    int torn = 0, copies = 0;
    while (!done || copies < 10) {
        int n = 0;
        d.getSpectrum(nullptr, copy.data(), &n);
        for (int i = 1; i < n; ++i)
            if (copy[i] != copy[0]) {
                ++torn;
                break;
            }
        ++copies;
    }
    writer.join();
    EXPECT_EQ(torn, 0);
    EXPECT_EQ(d.frameCount(), 3000);
}

}  // namespace

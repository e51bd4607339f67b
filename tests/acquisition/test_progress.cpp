#include <gtest/gtest.h>

#include "acquisition/ExposureProgress.h"

namespace {

TEST(ExposureProgress, TheBarAppearsAbove1500msOfEstimatedFrameTime) {
    EXPECT_EQ(estimatedFrameDurationUs(1'000'000, 1), 1'200'000);
    EXPECT_EQ(estimatedFrameDurationUs(1'000'000, 2), 2'200'000);
    EXPECT_EQ(estimatedFrameDurationUs(1'300'000, 0), 1'500'000);

    ExposureProgress p;
    int flag = 0;
    EXPECT_FALSE(p.tick(0, 1'000'000, 1, flag).showBar);
    const auto shown = p.tick(500, 1'000'000, 2, flag);
    EXPECT_TRUE(shown.showBar);
    EXPECT_TRUE(shown.layoutChanged);
    EXPECT_EQ(shown.percent, -1);
    const auto hidden = p.tick(1000, 1'300'000, 1, flag);  // exactly 1.5 s: no bar
    EXPECT_FALSE(hidden.showBar);
    EXPECT_TRUE(hidden.layoutChanged);
}

TEST(ExposureProgress, NeverShows100BeforeAFrameAndRestartsOnOne) {
    ExposureProgress p;
    int flag = 0;
    p.tick(0, 1'000'000, 2, flag);  // D = 2.2 s: bar on
    auto step = p.tick(500, 1'000'000, 2, flag);
    EXPECT_TRUE(step.repaint);
    EXPECT_EQ(step.percent, 500 * 100000 / 2'200'000);
    for (int t = 1000; t <= 5000; t += 500)
        step = p.tick(t, 1'000'000, 2, flag);
    EXPECT_EQ(step.percent, 95);  // overdue, but no frame yet
    flag = 1;
    step = p.tick(5500, 1'000'000, 2, flag);
    EXPECT_EQ(step.percent, 100);
    EXPECT_EQ(flag, 0);
    step = p.tick(6000, 1'000'000, 2, flag);
    EXPECT_EQ(step.percent, 500 * 100000 / 2'200'000);  // counting from the frame
}

}  // namespace

#include <gtest/gtest.h>

#include <vector>

#include "core/SpectrumData.h"

namespace {

// y = x on x = 0, 1, ..., 10
struct Line {
    std::vector<double> x, y;
    Line() {
        for (int i = 0; i <= 10; ++i) {
            x.push_back(i);
            y.push_back(i);
        }
    }
};

TEST(IntegrateSeries, RulesOverAKnownLine) {
    const Line l;
    struct Case {
        int rule;
        double from, to, expected;
    };
    const std::vector<Case> cases = {
        // i = 2, e = 8; rules 0 and 2 stop at x[e-1] = 7
        {0, 2.0, 8.0, 2 + 3 + 4 + 5 + 6},
        {2, 2.0, 8.0, (49.0 - 4.0) / 2.0},
        {7, 2.0, 8.0, (49.0 - 4.0) / 2.0},  // any other rule is the trapezoid
        // Simpson with h from the limits: (8-2)/6 = 1; points 2..8
        {1, 2.0, 8.0, 1.0 / 3.0 * (2 + 8 + 4 * 3 + 2 * 4 + 4 * 5 + 2 * 6 + 4 * 7)},
        // limits between samples: i = 3 (first x >= 2.5), e = 7 (last x <= 7.5)
        {2, 2.5, 7.5, (36.0 - 9.0) / 2.0},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(integrateSeries(l.x.data(), l.y.data(), 11, c.rule, c.from, c.to),
                         c.expected)
            << "rule " << c.rule << " " << c.from << ".." << c.to;
}

TEST(IntegrateSeries, LimitsOutsideTheDataGiveZero) {
    const Line l;
    for (int rule : {0, 1, 2}) {
        // from above the data: i = 0; to below it: e = 0
        EXPECT_EQ(integrateSeries(l.x.data(), l.y.data(), 11, rule, 20.0, -5.0), 0.0) << rule;
        EXPECT_EQ(integrateSeries(l.x.data(), l.y.data(), 11, rule, -9.0, -5.0), 0.0) << rule;
    }
    EXPECT_EQ(integrateSeries(l.x.data(), l.y.data(), 0, 2, 0.0, 10.0), 0.0);
    EXPECT_EQ(integrateSeries(nullptr, nullptr, 5, 2, 0.0, 10.0), 0.0);
}

TEST(IntegrateSeries, AbsoluteIrradianceIsZeroWhenEmpty) {
    CSpectrumData d;
    EXPECT_EQ(d.integrateAbsoluteIrradiance(2, 0.0, 10.0), 0.0);
    const Line l;
    d.setAbsoluteIrradiance(l.x.data(), l.y.data(), 11);
    EXPECT_DOUBLE_EQ(d.integrateAbsoluteIrradiance(2, 0.0, 10.0), 81.0 / 2.0);
}

}  // namespace

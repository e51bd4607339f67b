// Calibration-curve fits: straight lines, normal-equation polynomials, fits through the origin.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "color/Regression.h"

namespace {

struct LineCase {
    const char* what;
    std::vector<double> x, y;
    double slope, intercept, r2;
};

// Each case through both the line formulas and the two-coefficient polynomial.
TEST(Regression, StraightLines) {
    const LineCase cases[] = {
        {"three points on y = 2x + 1", {0, 1, 2}, {1, 3, 5}, 2.0, 1.0, 1.0},
        {"textbook scatter", {1, 2, 3, 4, 5}, {2, 4, 5, 4, 5}, 0.6, 2.2, 0.6},
        {"every y the same", {1, 2, 3}, {4, 4, 4}, 0.0, 4.0, 1.0},
    };
    for (const LineCase& c : cases) {
        SCOPED_TRACE(c.what);
        const int n = int(c.x.size());
        double slope, intercept, r2;
        ASSERT_EQ(fitLine(c.y.data(), c.x.data(), n, false, &slope, &intercept, &r2), 1);
        EXPECT_NEAR(slope, c.slope, 1e-12);
        EXPECT_NEAR(intercept, c.intercept, 1e-12);
        EXPECT_NEAR(r2, c.r2, 1e-12);
        double coeff[2];
        ASSERT_EQ(fitPolynomial(2, c.x.data(), c.y.data(), n, coeff, &r2), 1);
        EXPECT_NEAR(coeff[1], c.slope, 1e-12);
        EXPECT_NEAR(coeff[0], c.intercept, 1e-12);
        EXPECT_NEAR(r2, c.r2, 1e-12);
    }
}

TEST(Regression, LineThroughTheOrigin) {
    const std::vector<double> x = {0.5, 1.0, 2.0}, y = {1.5, 3.0, 6.0};
    double slope, intercept = 1.0, r2;
    ASSERT_EQ(fitLine(y.data(), x.data(), 3, true, &slope, &intercept, &r2), 1);
    EXPECT_DOUBLE_EQ(slope, 3.0);
    EXPECT_EQ(intercept, 0.0);
    EXPECT_DOUBLE_EQ(r2, 1.0);
}

TEST(Regression, PolynomialsRecoverExactCurves) {
    struct Case {
        int n;
        std::vector<double> c;
    } cases[] = {{3, {1.0, -2.0, 0.5}}, {6, {0.3, -1.0, 2.5, -0.75, 0.1, -0.005}}};
    const std::vector<double> x = {-2.0, -1.0, -0.5, 0.0, 0.7, 1.5, 2.0, 3.0, 4.0};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.n);
        std::vector<double> y;
        for (double xi : x)
            y.push_back(evaluatePolynomial(xi, c.c.data(), c.n));
        std::vector<double> got(c.n);
        double r2;
        ASSERT_EQ(fitPolynomial(c.n, x.data(), y.data(), int(x.size()), got.data(), &r2), 1);
        for (int i = 0; i < c.n; ++i)
            EXPECT_NEAR(got[i], c.c[i], 1e-9) << i;
        EXPECT_NEAR(r2, 1.0, 1e-12);
    }
}

TEST(Regression, ThroughTheOrigin) {
    // y = x^2: the bisection reaches |c0| < 1e-10 and the fit is exact.
    const std::vector<double> x = {0.5, 1.0, 2.0, 3.0}, y = {0.25, 1.0, 4.0, 9.0};
    double c[3], r2;
    ASSERT_EQ(fitPolynomialThroughOrigin(3, x.data(), y.data(), 4, c, &r2), 1);
    EXPECT_LT(std::fabs(c[0]), 1e-10);
    EXPECT_NEAR(c[1], 0.0, 1e-9);
    EXPECT_NEAR(c[2], 1.0, 1e-9);
    EXPECT_NEAR(r2, 1.0, 1e-12);

    // The data want an artificial point at a = 4.23, outside [-|y0|, |y0|] = [-0.1, 0.1]:
    // the 50 steps run out at a = 0.1 with c0 = 0.7 a - 2.96 still far from 0.
    const std::vector<double> x2 = {1.0, 2.0, 3.0}, y2 = {0.1, 10.0, 20.0};
    ASSERT_EQ(fitPolynomialThroughOrigin(2, x2.data(), y2.data(), 3, c, &r2), 1);
    EXPECT_NEAR(c[0], 0.7 * 0.1 - 2.96, 1e-9);
}

// No fit must come out as 0 with zero coefficients, never as NaN or infinite coefficients.
TEST(Regression, NoFitCases) {
    const double nan = std::nan("");
    struct Case {
        const char* what;
        int kind;  // 0 line, 1 line through origin, 2 polynomial, 3 polynomial through origin
        int n;
        std::vector<double> x, y;
    } cases[] = {
        {"line through the origin, every x = 0", 1, 2, {0, 0, 0}, {1, 2, 3}},
        {"line, every x the same", 0, 2, {2, 2, 2}, {1, 2, 3}},
        {"line, no points", 0, 2, {}, {}},
        {"line, a NaN", 0, 2, {1, 2, 3}, {1, nan, 3}},
        {"quadratic, two distinct x", 2, 3, {1, 1, 2, 2}, {1, 2, 3, 4}},
        {"straight line, one x repeated", 2, 2, {0.1, 0.1, 0.1, 0.1}, {1, 2, 3, 4}},
        {"polynomial, no points", 2, 3, {}, {}},
        {"polynomial, an infinity", 2, 2, {1, 2, INFINITY}, {1, 2, 3}},
        {"one coefficient", 2, 1, {1, 2, 3}, {1, 2, 3}},
        {"seven coefficients", 2, 7, {1, 2, 3, 4, 5, 6, 7, 8}, {1, 2, 3, 4, 5, 6, 7, 8}},
        {"quadratic through the origin, one distinct x", 3, 3, {1, 1}, {1, 2}},
        {"through the origin, no points", 3, 3, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const int count = int(c.x.size());
        std::vector<double> coeff(7, 5.0);
        double r2 = 5.0;
        int ok = 1;
        switch (c.kind) {
            case 0:
            case 1:
                ok = fitLine(c.y.data(), c.x.data(), count, c.kind == 1, &coeff[1], &coeff[0], &r2);
                break;
            case 2:
                ok = fitPolynomial(c.n, c.x.data(), c.y.data(), count, coeff.data(), &r2);
                break;
            default:
                ok = fitPolynomialThroughOrigin(c.n, c.x.data(), c.y.data(), count, coeff.data(),
                                                &r2);
        }
        EXPECT_EQ(ok, 0);
        EXPECT_EQ(r2, 0.0);
        if (c.n >= 2 && c.n <= 6) {
            for (int i = 0; i < c.n; ++i)
                EXPECT_EQ(coeff[i], 0.0) << i;
        }
    }
}

TEST(Regression, EvaluatePolynomial) {
    const double c[7] = {1, 1, 1, 1, 1, 1, 1};
    EXPECT_EQ(evaluatePolynomial(2.0, c, 2), 3.0);
    EXPECT_EQ(evaluatePolynomial(2.0, c, 6), 63.0);
    EXPECT_EQ(evaluatePolynomial(2.0, c, 7), 0.0);
    EXPECT_EQ(evaluatePolynomial(2.0, c, 1), 0.0);
}

}  // namespace

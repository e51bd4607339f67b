#include "color/Regression.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr double kOriginTolerance = 1e-10;
constexpr int kMaxBisections = 50;

bool allFinite(const double* values, int count) {
    for (int i = 0; i < count; ++i)
        if (!std::isfinite(values[i])) return false;
    return true;
}

double mean(const double* values, int count) {
    double sum = 0.0;
    for (int i = 0; i < count; ++i)
        sum += values[i];
    return sum / count;
}

// 1 - SSres / SStot, kept a number when every y is the same (SStot = 0): the fit then either
// reproduces them exactly or explains nothing.
double oneMinusResidualShare(double ssResidual, double ssTotal) {
    if (ssTotal == 0.0) return ssResidual == 0.0 ? 1.0 : 0.0;
    return 1.0 - ssResidual / ssTotal;
}

int noFit(double* c, int n, double* r2) {
    for (int i = 0; i < n; ++i)
        c[i] = 0.0;
    *r2 = 0.0;
    return 0;
}

int distinctCount(const double* x, int count) {
    std::vector<double> sorted(x, x + count);
    std::sort(sorted.begin(), sorted.end());
    return static_cast<int>(std::unique(sorted.begin(), sorted.end()) - sorted.begin());
}

// Solves the n x (n + 1) augmented matrix m in place (LU in Crout order with partial
// pivoting, whole rows exchanged), coefficients into c; false when a pivot is 0.
bool solveAugmented(std::vector<std::vector<double>>& m, int n, double* c) {
    for (int j = 0; j < n; ++j) {
        for (int i = 0; i < j; ++i) {
            double sum = m[i][j];
            for (int k = 0; k < i; ++k)
                sum -= m[i][k] * m[k][j];
            m[i][j] = sum;
        }
        int pivot = j;
        double largest = -1.0;
        for (int i = j; i < n; ++i) {
            double sum = m[i][j];
            for (int k = 0; k < j; ++k)
                sum -= m[i][k] * m[k][j];
            m[i][j] = sum;
            if (std::fabs(sum) > largest) {
                largest = std::fabs(sum);
                pivot = i;
            }
        }
        if (pivot != j) std::swap(m[pivot], m[j]);
        if (m[j][j] == 0.0) return false;
        for (int i = j + 1; i < n; ++i)
            m[i][j] /= m[j][j];
    }
    // Forward elimination of the right-hand side (unit lower factor), then back substitution.
    std::vector<double> b(n);
    for (int i = 0; i < n; ++i) {
        double sum = m[i][n];
        for (int k = 0; k < i; ++k)
            sum -= m[i][k] * b[k];
        b[i] = sum;
    }
    for (int i = n - 1; i >= 0; --i) {
        double sum = b[i];
        for (int k = i + 1; k < n; ++k)
            sum -= m[i][k] * c[k];
        c[i] = sum / m[i][i];
    }
    return true;
}

}  // namespace

int fitLine(const double* y, const double* x, int count, bool zeroIntercept, double* slope,
            double* intercept, double* r2) {
    *slope = 0.0;
    *intercept = 0.0;
    *r2 = 0.0;
    if (count <= 0 || !allFinite(x, count) || !allFinite(y, count)) return 0;
    const double xMean = mean(x, count);
    const double yMean = mean(y, count);
    double ssTotal = 0.0;
    for (int i = 0; i < count; ++i)
        ssTotal += (y[i] - yMean) * (y[i] - yMean);

    double a = 0.0, b = 0.0;
    if (zeroIntercept) {
        double sxy = 0.0, sxx = 0.0;
        for (int i = 0; i < count; ++i) {
            sxy += x[i] * y[i];
            sxx += x[i] * x[i];
        }
        if (sxx == 0.0) return 0;  // every x is 0: no slope
        a = sxy / sxx;
    } else {
        double sxy = 0.0, sxx = 0.0;
        for (int i = 0; i < count; ++i) {
            sxy += (x[i] - xMean) * (y[i] - yMean);
            sxx += (x[i] - xMean) * (x[i] - xMean);
        }
        if (sxx == 0.0) return 0;  // every x the same: a vertical line
        a = sxy / sxx;
        b = yMean - a * xMean;
    }

    double ssResidual = 0.0, ssRegression = 0.0;
    for (int i = 0; i < count; ++i) {
        const double f = a * x[i] + b;
        ssResidual += (f - y[i]) * (f - y[i]);
        ssRegression += (f - yMean) * (f - yMean);
    }
    if (!std::isfinite(a) || !std::isfinite(b)) return 0;
    *slope = a;
    *intercept = b;
    if (zeroIntercept)
        *r2 = oneMinusResidualShare(ssResidual, ssTotal);
    else
        *r2 = ssTotal == 0.0 ? oneMinusResidualShare(ssResidual, 0.0) : ssRegression / ssTotal;
    return 1;
}

int fitPolynomial(int n, const double* x, const double* y, int count, double* c, double* r2) {
    if (n < kMinPolynomialTerms || n > kMaxPolynomialTerms) {
        *r2 = 0.0;
        return 0;
    }
    if (count <= 0 || !allFinite(x, count) || !allFinite(y, count)) return noFit(c, n, r2);
    // Fewer distinct x than coefficients leaves the normal matrix singular; rounding can hide
    // that behind a tiny pivot, so it is decided here exactly.
    if (distinctCount(x, count) < n) return noFit(c, n, r2);

    std::vector<std::vector<double>> power(n, std::vector<double>(count));
    for (int j = 0; j < count; ++j) {
        power[0][j] = 1.0;
        for (int i = 1; i < n; ++i)
            power[i][j] = power[i - 1][j] * x[j];
    }
    std::vector<std::vector<double>> m(n, std::vector<double>(n + 1, 0.0));
    for (int i = 0; i < n; ++i) {
        for (int k = 0; k < n; ++k) {
            double sum = 0.0;
            for (int j = 0; j < count; ++j)
                sum += power[i][j] * power[k][j];
            m[i][k] = sum;
        }
        double sum = 0.0;
        for (int j = 0; j < count; ++j)
            sum += y[j] * power[i][j];
        m[i][n] = sum;
    }
    if (!solveAugmented(m, n, c) || !allFinite(c, n)) return noFit(c, n, r2);

    const double yMean = mean(y, count);
    double ssRegression = 0.0, ssTotal = 0.0;
    for (int j = 0; j < count; ++j) {
        const double f = evaluatePolynomial(x[j], c, n);
        ssRegression += (f - yMean) * (f - yMean);
        ssTotal += (y[j] - yMean) * (y[j] - yMean);
    }
    const double larger = std::max(ssRegression, ssTotal);
    // Both 0: every y equal and reproduced exactly.
    *r2 = larger == 0.0 ? 1.0 : std::min(ssRegression, ssTotal) / larger;
    return 1;
}

int fitPolynomialThroughOrigin(int n, const double* x, const double* y, int count, double* c,
                               double* r2) {
    if (n < kMinPolynomialTerms || n > kMaxPolynomialTerms) {
        *r2 = 0.0;
        return 0;
    }
    if (count <= 0 || !allFinite(x, count) || !allFinite(y, count)) return noFit(c, n, r2);
    std::vector<double> xs(x, x + count);
    std::vector<double> ys(y, y + count);
    xs.push_back(0.0);
    ys.push_back(0.0);
    double lo = -std::fabs(y[0]);
    double hi = std::fabs(y[0]);
    double fitR2 = 0.0;
    for (int step = 0; step < kMaxBisections; ++step) {
        const double a = (lo + hi) / 2.0;
        ys.back() = a;
        if (!fitPolynomial(n, xs.data(), ys.data(), count + 1, c, &fitR2)) return noFit(c, n, r2);
        if (std::fabs(c[0]) < kOriginTolerance) break;
        if (c[0] > kOriginTolerance)
            hi = a;
        else
            lo = a;
    }

    const double yMean = mean(y, count);
    double ssResidual = 0.0, ssTotal = 0.0;
    for (int j = 0; j < count; ++j) {
        const double f = evaluatePolynomial(x[j], c, n);
        ssResidual += (f - y[j]) * (f - y[j]);
        ssTotal += (y[j] - yMean) * (y[j] - yMean);
    }
    *r2 = oneMinusResidualShare(ssResidual, ssTotal);
    return 1;
}

double evaluatePolynomial(double x, const double* c, int n) {
    if (n < kMinPolynomialTerms || n > kMaxPolynomialTerms) return 0.0;
    double f = 0.0;
    double power = 1.0;
    for (int i = 0; i < n; ++i) {
        f += c[i] * power;
        power *= x;
    }
    return f;
}

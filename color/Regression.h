#pragma once
// Least-squares calibration curves y = f(x) on plain arrays, as the concentration application
// fits absorbance against concentration. Pure functions; any thread.
//
// Each fit returns 1, or 0 for "no fit" (too few or non-finite points, every x where a line
// needs them to differ, a singular normal matrix); after 0 the coefficients and r2 are 0, so no
// caller ever shows a non-finite number. Coefficients are lowest power first (c[0] constant).

inline constexpr int kMinPolynomialTerms = 2;  ///< straight line
inline constexpr int kMaxPolynomialTerms = 6;  ///< degree 5

/// Straight line y = slope * x + intercept; with zeroIntercept the intercept is 0.
int fitLine(const double* y, const double* x, int count, bool zeroIntercept, double* slope,
            double* intercept, double* r2);

/// Polynomial with n coefficients (2..6) by the normal equations; r2 is the smaller of the
/// explained and the total sum of squares over the larger.
int fitPolynomial(int n, const double* x, const double* y, int count, double* c, double* r2);

/// Polynomial with n coefficients forced through the origin: an artificial point (0, a) is
/// added and a is bisected (at most 50 steps) until |c[0]| < 1e-10. When the intercept the data
/// want lies outside [-|y0|, |y0|] the steps run out with c[0] still away from 0. r2 is taken
/// over the given points only.
int fitPolynomialThroughOrigin(int n, const double* x, const double* y, int count, double* c,
                               double* r2);

/// c[0] + c[1] x + ... + c[n-1] x^(n-1) for n = 2..6; 0 for any other n.
double evaluatePolynomial(double x, const double* c, int n);

#include "apps/framework/ViewRules.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

double ValueAtX(const double* y, double x, int n, const double* xs) {
    if (n < 1 || !y || !xs) return 0.0;
    const double lo = std::min(xs[0], xs[n - 1]);
    const double hi = std::max(xs[0], xs[n - 1]);
    if (!(x >= lo && x <= hi)) return 0.0;
    const bool ascending = xs[n - 1] >= xs[0];
    int a = 0, b = n - 1;
    // Bisection to two neighbours a < b with x between xs[a] and xs[b].
    while (b - a > 1) {
        const int mid = a + (b - a) / 2;
        if (xs[mid] == x) return y[mid];
        if ((xs[mid] < x) == ascending)
            a = mid;
        else
            b = mid;
    }
    if (xs[a] == x) return y[a];
    if (xs[b] == x) return y[b];
    const double da = std::fabs(xs[a] - x);
    const double db = std::fabs(xs[b] - x);
    if (da < db) return y[a];
    if (db < da) return y[b];
    return xs[a] > xs[b] ? y[a] : y[b];
}

int nearestIndex(const double* x, int n, double value) {
    if (n < 1 || !x) return -1;
    int best = 0;
    double bestDistance = std::fabs(x[0] - value);
    for (int i = 1; i < n; ++i) {
        const double d = std::fabs(x[i] - value);
        if (d < bestDistance) {
            best = i;
            bestDistance = d;
        }
    }
    return best;
}

std::optional<ViewRange> bestXRange(const double* wave, int n) {
    if (n < 1 || !wave) return std::nullopt;
    return ViewRange{std::max(100.0, wave[0]), std::min(1500.0, wave[n - 1])};
}

ViewRange bestYRange(double lo, double hi) {
    const double margin = 0.1 * (hi - lo);
    return {lo - margin, hi + margin};
}

std::optional<ViewRange> zoomXRange(ViewRange r, double cursor) {
    if (r.max - r.min <= 5.0) return std::nullopt;
    if (cursor > r.min && cursor < r.max)
        return ViewRange{r.min + 0.1 * (cursor - r.min), r.max - 0.1 * (r.max - cursor)};
    const double cut = 0.1 * (r.max - r.min);
    return ViewRange{r.min + cut, r.max - cut};
}

std::optional<ViewRange> zoomYRange(const double* wave, const double* value, int n,
                                    ViewRange bottom, double leftMax) {
    if (n < 1 || !wave || !value) return std::nullopt;
    double m = value[0];
    for (int i = 0; i < n; ++i)
        if (wave[i] > bottom.min && wave[i] < bottom.max && value[i] < m) m = value[i];
    return ViewRange{m, leftMax - 0.2 * (leftMax - m)};
}

ViewRange wheelZoom(ViewRange r, double f, bool forward) {
    const double s = forward ? 0.1 : -0.1;
    return {r.min + s * (f - r.min), r.max - s * (r.max - f)};
}

ViewRange wheelZoomLeftAxis(ViewRange r, bool forward) {
    return {r.min, r.max * (forward ? 0.95 : 1.05)};
}

namespace {
int component(int c, int shift) {
    return (c >> shift) & 0xff;
}
int rgb(int r, int g, int b) {
    return r | (g << 8) | (b << 16);
}
int gridComponent(int v) {
    return v > 128 ? v - 80 : v + 60;
}
}  // namespace

ViewColours viewColoursFrom(int c) {
    const int r = component(c, 0), g = component(c, 8), b = component(c, 16);
    return {rgb(r, g, b), rgb(255 - r, 255 - g, 255 - b),
            rgb(gridComponent(r), gridComponent(g), gridComponent(b))};
}

std::string instanceViewName(const std::string& base, int instanceNumber) {
    if (instanceNumber == 0) return base;
    return base + "(" + std::to_string(instanceNumber + 1) + ")";
}

int nextInstanceNumber(const std::vector<int>& list) {
    return list.empty() ? 0 : list.back() + 1;
}

double adcRangeTop(int bits) {
    if (bits < 0) bits = 0;
    if (bits > 40) bits = 40;  // no converter has more; keeps the shift defined
    const long long full = 1LL << bits;
    return static_cast<double>(full / 1000 * 1000 + 1000);
}

std::string cursorEditText(double x, int xUnit) {
    char text[64];
    if (xUnit == 0 || xUnit == 1)
        std::snprintf(text, sizeof text, "%.3f", x);
    else
        std::snprintf(text, sizeof text, "%d", static_cast<int>(x));
    return text;
}

std::string listFormatFor(int decimals) {
    char text[32];
    std::snprintf(text, sizeof text, "%%.%df", decimals);
    return text;
}

std::string readoutFormatFor(int decimals) {
    char text[32];
    std::snprintf(text, sizeof text, "%%-10.%df", decimals);
    return text;
}

std::string formatValue(const std::string& format, double v) {
    char text[128];
    std::snprintf(text, sizeof text, format.c_str(), v);
    return text;
}

int sideTableWidth(int columnCount) {
    const int n = std::min(columnCount, 9);
    const int pairs = std::max(0, (n - 3) / 2);
    return pairs * 120 + 180;
}

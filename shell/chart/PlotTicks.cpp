#include "shell/chart/PlotTicks.h"

#include <algorithm>
#include <cmath>

namespace {
// Ranges such as 0..0.3 divided by 10 do not land exactly on 0.01 * 3 in binary; without a
// little slack the ladder would skip a step it was meant to take.
constexpr double kLadderSlack = 1e-9;
}  // namespace

SPlotTickStep computeTickStep(double min, double max, int lengthPx) {
    SPlotTickStep step;
    const double span = std::fabs(max - min);
    if (!(span > 0.0) || !std::isfinite(span)) return step;
    // An axis shorter than one tick spacing still shows its range with one division.
    const int divisions = std::max(1, std::abs(lengthPx) / kPixelsPerTick);
    const double c = span / divisions;
    const int x = static_cast<int>(std::floor(std::log10(c)));
    const double d = std::pow(10.0, x);
    step.decimals = x < 0 ? -x : 0;
    const double limit = 1.0 + kLadderSlack;
    if (c <= d * limit) {
        step.increment = d;
    } else if (c <= 2.0 * d * limit) {
        step.increment = 2.0 * d;
    } else if (c <= 5.0 * d * limit) {
        step.increment = 5.0 * d;
    } else {
        step.increment = 10.0 * d;
        step.decimals = std::max(0, step.decimals - 1);
    }
    return step;
}

double firstTick(double min, double increment) {
    if (increment == 0.0 || !std::isfinite(increment)) return min;
    if (min == 0.0) return 0.0;
    const double k = std::ceil(min / increment - kLadderSlack);
    const double first = k * increment;
    return first == 0.0 ? 0.0 : first;  // no negative zero
}

std::vector<double> tickValues(double first, double max, double increment) {
    std::vector<double> ticks;
    if (!std::isfinite(first) || !std::isfinite(max)) return ticks;
    if (!(increment > 0.0) || !std::isfinite(increment)) {
        if (first <= max) ticks.push_back(first);
        return ticks;
    }
    const double end = max + increment * kLadderSlack;
    // Multiplying rather than adding keeps far ticks free of accumulated rounding.
    for (int i = 0; i < kMaxTicksPerAxis; ++i) {
        const double t = first + i * increment;
        if (t > end) break;
        ticks.push_back(t);
    }
    return ticks;
}

QString tickLabel(double value, int decimals) {
    decimals = std::clamp(decimals, 0, 15);
    if (std::fabs(value) < 0.5 * std::pow(10.0, -decimals)) value = 0.0;
    return QString::number(value, 'f', decimals);
}

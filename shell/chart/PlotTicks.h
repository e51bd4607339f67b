#pragma once
// Tick rules of a linear axis: about one tick per 50 pixels on a 1-2-5 ladder.

#include <QString>
#include <vector>

inline constexpr int kPixelsPerTick = 50;
/// A range of many billions of ticks cannot be drawn; beyond this the axis shows no more ticks.
inline constexpr int kMaxTicksPerAxis = 1000;

struct SPlotTickStep {
    double increment = 0.0;  ///< distance between two ticks, in axis values; 0 = one tick at min
    int decimals = 0;        ///< decimals of the tick labels
};

/// Increment and label decimals for the range min..max drawn on lengthPx pixels.
SPlotTickStep computeTickStep(double min, double max, int lengthPx);

/// The first tick at or above min: the smallest multiple of increment not below it.
double firstTick(double min, double increment);

/// Tick values from first up to max (at most kMaxTicksPerAxis of them).
std::vector<double> tickValues(double first, double max, double increment);

/// A tick label in fixed notation; never "-0".
QString tickLabel(double value, int decimals);

#pragma once
// Which points of a series need drawing for a horizontal range.

#include <cstddef>

#include "shell/chart/PlotGeometry.h"

enum class EPlotXOrder { Ascending, Descending, Unordered };

/// The order of the X values (NaN anywhere makes them unordered).
EPlotXOrder xOrderOf(const SPlotXYPoint* points, std::size_t count);

struct SPlotIndexRange {
    std::size_t first = 0;  ///< first point to draw
    std::size_t end = 0;    ///< one past the last point to draw
};

/// The points whose X lies inside [xMin, xMax], plus one neighbour on each side where there is
/// one, found by bisection. Unordered points cannot be bisected: all of them are returned.
SPlotIndexRange visiblePointRange(const SPlotXYPoint* points, std::size_t count, EPlotXOrder order,
                                  double xMin, double xMax);

#include "shell/chart/PlotSeriesRange.h"

#include <algorithm>

EPlotXOrder xOrderOf(const SPlotXYPoint* points, std::size_t count) {
    bool ascending = true;
    bool descending = true;
    for (std::size_t i = 1; i < count && (ascending || descending); ++i) {
        const double a = points[i - 1].x;
        const double b = points[i].x;
        if (!(a <= b)) ascending = false;
        if (!(a >= b)) descending = false;
    }
    if (count > 0 && points[0].x != points[0].x) return EPlotXOrder::Unordered;
    if (ascending) return EPlotXOrder::Ascending;
    if (descending) return EPlotXOrder::Descending;
    return EPlotXOrder::Unordered;
}

SPlotIndexRange visiblePointRange(const SPlotXYPoint* points, std::size_t count, EPlotXOrder order,
                                  double xMin, double xMax) {
    if (count == 0) return {};
    if (order == EPlotXOrder::Unordered) return {0, count};
    if (xMin > xMax) std::swap(xMin, xMax);
    const SPlotXYPoint* begin = points;
    const SPlotXYPoint* end = points + count;
    std::size_t first;
    std::size_t last;  // one past
    if (order == EPlotXOrder::Ascending) {
        first = std::lower_bound(begin, end, xMin,
                                 [](const SPlotXYPoint& p, double v) { return p.x < v; }) -
                begin;
        last = std::upper_bound(begin, end, xMax,
                                [](double v, const SPlotXYPoint& p) { return v < p.x; }) -
               begin;
    } else {
        first = std::lower_bound(begin, end, xMax,
                                 [](const SPlotXYPoint& p, double v) { return p.x > v; }) -
                begin;
        last = std::upper_bound(begin, end, xMin,
                                [](double v, const SPlotXYPoint& p) { return v > p.x; }) -
               begin;
    }
    if (first > 0) --first;
    if (last < count) ++last;
    if (first > last) first = last;
    return {first, last};
}

#pragma once
// Plain geometry shared by the chart's layout rules and its drawing code. No Qt types here, so
// the rules stay testable as arithmetic.

/// A rectangle whose right and bottom are the first column and row outside it
/// (width = right - left).
struct SPlotRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool isEmpty() const { return right <= left || bottom <= top; }
    bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    bool operator==(const SPlotRect&) const = default;
};

struct SPlotSize {
    int width = 0;
    int height = 0;
    bool operator==(const SPlotSize&) const = default;
};

/// One point of an XY series, in axis values.
struct SPlotXYPoint {
    double x = 0.0;
    double y = 0.0;
};

#pragma once
// Small helpers between the chart's geometry and QPainter.

#include <QFont>
#include <QRect>
#include <algorithm>
#include <cmath>

#include "shell/chart/PlotGeometry.h"

/// The chart draws in pixels of a 96 dpi page on screen and on paper alike, so fonts given in
/// points are turned into pixel sizes before use; otherwise a printer's resolution would scale
/// them a second time on top of the page mapping.
inline constexpr double kPlotPixelsPerPoint = 96.0 / 72.0;

inline QFont plotPixelFont(const QFont& font) {
    QFont f(font);
    if (font.pointSizeF() > 0)
        f.setPixelSize(qMax(1, qRound(font.pointSizeF() * kPlotPixelsPerPoint)));
    return f;
}

/// Pixels far outside any page are clamped, so wild values never reach the rasteriser as
/// overflowing integers; NaN maps to 0 (callers skip non-finite points first).
inline constexpr double kPlotPixelLimit = 1 << 22;

inline int clampPixel(double px) {
    if (!(px == px)) return 0;
    return static_cast<int>(std::lround(std::clamp(px, -kPlotPixelLimit, kPlotPixelLimit)));
}

inline QRect toQRect(const SPlotRect& r) {
    return QRect(r.left, r.top, r.width(), r.height());
}

inline SPlotRect toPlotRect(const QRect& r) {
    return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

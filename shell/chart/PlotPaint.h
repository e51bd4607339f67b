#pragma once
// Small helpers between the chart's geometry and QPainter.

#include <QColor>
#include <QFont>
#include <QPainter>
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
    px = std::clamp(px, -kPlotPixelLimit, kPlotPixelLimit);
    return static_cast<int>(px >= 0.0 ? px + 0.5 : px - 0.5);  // rounds half away from zero
}

/// One-pixel horizontal and vertical lines as filled spans, ends included: Qt fills spans far
/// faster than it strokes lines, and on paper the result is the same.
inline void fillHLine(QPainter& p, int x1, int x2, int y, const QColor& c) {
    if (x2 < x1) std::swap(x1, x2);
    p.fillRect(QRect(x1, y, x2 - x1 + 1, 1), c);
}

inline void fillVLine(QPainter& p, int x, int y1, int y2, const QColor& c) {
    if (y2 < y1) std::swap(y1, y2);
    p.fillRect(QRect(x, y1, 1, y2 - y1 + 1), c);
}

/// The outline through the columns left and right and the rows top and bottom.
inline void fillFrame(QPainter& p, int left, int top, int right, int bottom, const QColor& c) {
    fillHLine(p, left, right, top, c);
    fillHLine(p, left, right, bottom, c);
    fillVLine(p, left, top, bottom, c);
    fillVLine(p, right, top, bottom, c);
}

inline QRect toQRect(const SPlotRect& r) {
    return QRect(r.left, r.top, r.width(), r.height());
}

inline SPlotRect toPlotRect(const QRect& r) {
    return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

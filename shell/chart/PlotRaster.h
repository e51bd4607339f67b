#pragma once
// The curve's fast path: a one-pixel solid polyline written straight into the pixels of the
// image being painted. Qt's line stroker spends about ten nanoseconds on every pixel of a thin
// line, which makes a 3700-point spectrum the most expensive thing the chart draws.

#include <QColor>
#include <QPoint>
#include <QRect>
#include <cstddef>

class QPainter;

/// Draws the polyline through count points (device pixels of p's image, before p's
/// translation) clipped to clip, when p paints on a plain 32-bit image without scaling, with an
/// opaque colour and normal blending. Returns false, having drawn nothing, in every other case;
/// the caller then draws with QPainter.
bool drawThinPolyline(QPainter& p, const QPoint* points, std::size_t count, const QColor& color,
                      const QRect& clip);

/// Liang-Barsky clipping of the segment (x0, y0)-(x1, y1) to [xMin, xMax] x [yMin, yMax].
/// Returns false when nothing of it lies inside; otherwise the ends are moved inside.
bool clipSegment(double& x0, double& y0, double& x1, double& y1, double xMin, double yMin,
                 double xMax, double yMax);

#include "shell/chart/PlotSeries.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygon>
#include <cmath>

#include "shell/chart/PlotAxis.h"
#include "shell/chart/PlotPaint.h"
#include "shell/chart/PlotRaster.h"

CPlotSeries::CPlotSeries(unsigned id, CPlotAxis* horizontal, CPlotAxis* vertical)
    : m_id(id), m_horizontal(horizontal), m_vertical(vertical) {}

CPlotSeries::~CPlotSeries() = default;

void CPlotSeries::replaceAxis(const CPlotAxis* old, CPlotAxis* replacement) {
    if (m_horizontal == old) m_horizontal = replacement;
    if (m_vertical == old) m_vertical = replacement;
}

void CPlotSeries::drawSecondLayer(QPainter&) {}

void CPlotXYSeries::setPoints(const double* x, const double* y, std::size_t count) {
    std::vector<SPlotXYPoint> pts;
    if (x && y) {
        pts.resize(count);
        for (std::size_t i = 0; i < count; ++i)
            pts[i] = {x[i], y[i]};
    }
    setPoints(std::move(pts));
}

void CPlotXYSeries::pointsChanged() {
    // Order and extent are worked out once per change, not at every drawing.
    m_order = xOrderOf(m_points.data(), m_points.size());
    m_hasExtent = false;
    for (const SPlotXYPoint& pt : m_points) {
        if (!std::isfinite(pt.x) || !std::isfinite(pt.y)) continue;
        if (!m_hasExtent) {
            m_xMin = m_xMax = pt.x;
            m_yMin = m_yMax = pt.y;
            m_hasExtent = true;
            continue;
        }
        m_xMin = std::min(m_xMin, pt.x);
        m_xMax = std::max(m_xMax, pt.x);
        m_yMin = std::min(m_yMin, pt.y);
        m_yMax = std::max(m_yMax, pt.y);
    }
}

bool CPlotXYSeries::dataExtent(double& xMin, double& xMax, double& yMin, double& yMax) const {
    if (!m_hasExtent) return false;
    xMin = m_xMin;
    xMax = m_xMax;
    yMin = m_yMin;
    yMax = m_yMax;
    return true;
}

SPlotIndexRange CPlotXYSeries::visibleRange() const {
    if (!m_horizontal) return {0, m_points.size()};
    return visiblePointRange(m_points.data(), m_points.size(), m_order, m_horizontal->rangeMin(),
                             m_horizontal->rangeMax());
}

void CPlotLineSeries::flush(QPainter& p) {
    const std::size_t n = m_pixels.size();
    const bool thin = !m_smooth && m_penStyle == Qt::SolidLine && m_penWidth <= 1;
    if (n == 1) {
        p.drawPoint(m_pixels[0]);
    } else if (thin && drawThinPolyline(p, m_pixels.data(), n, m_color, toQRect(m_drawingRect))) {
        // drawn straight into the image
    } else if (n >= 2 && !m_smooth) {
        p.drawPolyline(m_pixels.data(), static_cast<int>(n));
    } else if (n >= 2) {
        // Catmull-Rom tangents turned into cubic Bezier control points.
        QPainterPath path(m_pixels[0]);
        for (std::size_t i = 0; i + 1 < n; ++i) {
            const QPointF p0 = m_pixels[i == 0 ? 0 : i - 1];
            const QPointF p1 = m_pixels[i];
            const QPointF p2 = m_pixels[i + 1];
            const QPointF p3 = m_pixels[i + 2 < n ? i + 2 : n - 1];
            path.cubicTo(p1 + (p2 - p0) / 6.0, p2 - (p3 - p1) / 6.0, p2);
        }
        p.drawPath(path);
    }
    m_pixels.clear();
}

std::optional<CPlotXYSeries::SDrawSetup> CPlotXYSeries::drawSetup() const {
    if (!m_visible || m_points.empty() || !m_horizontal || !m_vertical) return std::nullopt;
    return SDrawSetup{visibleRange(), m_horizontal->pixelMap(), m_vertical->pixelMap()};
}

void CPlotLineSeries::draw(QPainter& p) {
    const std::optional<SDrawSetup> setup = drawSetup();
    if (!setup) return;
    const auto& [range, mx, my] = *setup;
    p.save();
    p.setClipRect(toQRect(m_drawingRect));
    p.setPen(QPen(m_color, m_penWidth, m_penStyle));
    p.setBrush(Qt::NoBrush);
    m_pixels.clear();
    m_pixels.reserve(range.end - range.first);
    QPoint previous;
    bool hasPrevious = false;
    for (std::size_t i = range.first; i < range.end; ++i) {
        const SPlotXYPoint& pt = m_points[i];
        if (!std::isfinite(pt.x) || !std::isfinite(pt.y)) {
            // A hole in the data (log of zero, say) breaks the line instead of wrecking it.
            flush(p);
            hasPrevious = false;
            continue;
        }
        const QPoint q(clampPixel(mx.toPixel(pt.x)), clampPixel(my.toPixel(pt.y)));
        if (hasPrevious && q == previous) continue;
        m_pixels.push_back(q);
        previous = q;
        hasPrevious = true;
    }
    flush(p);
    p.restore();
}

void CPlotLineSeries::drawLegendSymbol(QPainter& p, const SPlotRect& box) const {
    p.save();
    p.setPen(QPen(m_color, m_penWidth, m_penStyle));
    const int y = (box.top + box.bottom) / 2;
    p.drawLine(box.left + 1, y, box.right - 2, y);
    p.restore();
}

void CPlotPointsSeries::drawMarker(QPainter& p, QPoint c) const {
    const int half = m_markerSize / 2;
    const QRect r(c.x() - half, c.y() - half, m_markerSize, m_markerSize);
    switch (m_marker) {
        case EPlotMarker::Rectangle:
            p.drawRect(r);
            break;
        case EPlotMarker::Triangle: {
            const QPoint corners[3] = {
                {c.x(), r.top()}, {r.right(), r.bottom()}, {r.left(), r.bottom()}};
            p.drawPolygon(corners, 3);
            break;
        }
        default:
            p.drawEllipse(r);
            break;
    }
}

void CPlotPointsSeries::draw(QPainter& p) {
    const std::optional<SDrawSetup> setup = drawSetup();
    if (!setup) return;
    const auto& [range, mx, my] = *setup;
    p.save();
    p.setClipRect(toQRect(m_drawingRect));
    p.setPen(QPen(m_color, 1));
    p.setBrush(m_color);
    for (std::size_t i = range.first; i < range.end; ++i) {
        const SPlotXYPoint& pt = m_points[i];
        if (!std::isfinite(pt.x) || !std::isfinite(pt.y)) continue;
        drawMarker(p, QPoint(clampPixel(mx.toPixel(pt.x)), clampPixel(my.toPixel(pt.y))));
    }
    p.restore();
}

void CPlotPointsSeries::drawLegendSymbol(QPainter& p, const SPlotRect& box) const {
    p.save();
    p.setPen(QPen(m_color, 1));
    p.setBrush(m_color);
    drawMarker(p, QPoint((box.left + box.right) / 2, (box.top + box.bottom) / 2));
    p.restore();
}

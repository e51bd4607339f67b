#include "shell/chart/PlotCursor.h"

#include <QPainter>
#include <algorithm>
#include <cstdlib>

#include "shell/chart/PlotAxis.h"
#include "shell/chart/PlotPaint.h"
#include "shell/chart/PlotZoom.h"

CPlotCursor::~CPlotCursor() = default;

int CPlotCursor::addListener(Listener listener) {
    const int id = m_nextId++;
    m_listeners.push_back({id, std::move(listener)});
    return id;
}

void CPlotCursor::removeListener(int id) {
    std::erase_if(m_listeners, [id](const SEntry& e) { return e.id == id; });
}

void CPlotCursor::notify(double x, double y) const {
    // A listener may remove itself; work on a copy.
    const std::vector<SEntry> listeners = m_listeners;
    for (const SEntry& e : listeners) {
        if (e.listener) e.listener(x, y);
    }
}

CPlotDragLineCursor::CPlotDragLineCursor(CPlotAxis* axis, double value)
    : m_axis(axis), m_value(value) {
    updatePosition();
}

void CPlotDragLineCursor::replaceAxis(const CPlotAxis* old, CPlotAxis* replacement) {
    if (m_axis == old) m_axis = replacement;
}

void CPlotDragLineCursor::setCursorValue(double value) {
    if (m_axis && m_axis->contains(value)) m_value = value;
    updatePosition();
}

void CPlotDragLineCursor::updatePosition() {
    if (!m_axis) {
        m_visible = false;
        return;
    }
    m_visible = m_axis->contains(m_value);
    m_pixel = m_axis->valueToPixel(m_value);
}

bool CPlotDragLineCursor::isNear(int x, int y) const {
    if (!m_visible || !m_axis) return false;
    const int along = m_axis->isHorizontal() ? x : y;
    return std::abs(along - m_pixel) <= kCursorGrabPixels;
}

double CPlotDragLineCursor::valueAt(int x, int y) const {
    const int along = m_axis->isHorizontal() ? x : y;
    // The pointer may leave the plot while dragging; the line stops at the ends of the range.
    const int lo = std::min(m_axis->startPixel(), m_axis->endPixel());
    const int hi = std::max(m_axis->startPixel(), m_axis->endPixel());
    const double v = m_axis->pixelToValue(std::clamp(along, lo, hi));
    const double rmin = std::min(m_axis->rangeMin(), m_axis->rangeMax());
    const double rmax = std::max(m_axis->rangeMin(), m_axis->rangeMax());
    return std::clamp(v, rmin, rmax);
}

void CPlotDragLineCursor::tellListeners() const {
    if (m_axis->isHorizontal()) {
        notify(m_value, 0.0);
    } else {
        notify(0.0, m_value);
    }
}

void CPlotDragLineCursor::beginDrag() {
    m_dragging = true;
}

void CPlotDragLineCursor::dragTo(int x, int y) {
    if (!m_dragging || !m_axis) return;
    m_value = valueAt(x, y);
    updatePosition();
    tellListeners();
}

void CPlotDragLineCursor::endDrag() {
    m_dragging = false;
}

void CPlotDragLineCursor::setFromPointer(int x, int y) {
    if (!m_axis) return;
    m_value = valueAt(x, y);
    updatePosition();
    tellListeners();
}

void CPlotDragLineCursor::draw(QPainter& p, const SPlotRect& plot) {
    updatePosition();
    if (!m_visible) return;
    if (m_axis->isHorizontal()) {
        fillVLine(p, m_pixel, plot.top, plot.bottom, m_color);
    } else {
        fillHLine(p, plot.left, plot.right, m_pixel, m_color);
    }
}

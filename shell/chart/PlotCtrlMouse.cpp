// Mouse interaction of the chart: drag-line cursors, click and rectangle zoom, pan, and the
// stretch and zoom strips of the left and bottom axes.

#include <QMouseEvent>
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "shell/chart/PlotCtrl.h"
#include "shell/chart/PlotPointerShapes.h"

namespace {
bool withinGrab(const QPoint& a, const QPoint& b) {
    return std::abs(a.x() - b.x()) <= kCursorGrabPixels &&
           std::abs(a.y() - b.y()) <= kCursorGrabPixels;
}

int along(const CPlotAxis& a, const QPoint& p) {
    return a.isHorizontal() ? p.x() : p.y();
}

/// A range the user chose with the mouse replaces the automatic one, or the next drawing
/// would throw the zoom away.
void showUserRange(CPlotAxis& a, SPlotRange r, bool alsoHome) {
    a.setAutomatic(false);
    if (alsoHome) {
        a.setRange(r.min, r.max);
    } else {
        a.setShownRange(r.min, r.max);
    }
}
}  // namespace

std::optional<double> CPlotCtrl::bottomCursorValue() const {
    const CPlotAxis* bottom = axis(kAxisBottom);
    for (const CPlotDragLineCursor* c : dragLineCursors()) {
        if (c->axis() == bottom) return c->value();
    }
    return std::nullopt;
}

void CPlotCtrl::updatePointer(const QPoint& pos) {
    switch (m_drag) {
        case EDrag::Pan:
            setCursor(Qt::SizeAllCursor);
            return;
        case EDrag::LeftStretch:
            setCursor(Qt::SizeVerCursor);
            return;
        case EDrag::BottomStrip:
            setCursor(Qt::SizeHorCursor);
            return;
        default:
            break;
    }
    if (isOnPlot(pos) && m_mouseMode == kMouseModeZoomIn) {
        setCursor(plotZoomInPointer());
    } else if (isOnPlot(pos) && m_mouseMode == kMouseModeZoomOut) {
        setCursor(plotZoomOutPointer());
    } else {
        setCursor(Qt::ArrowCursor);
    }
}

void CPlotCtrl::zoomByRectangle(const QPoint& from, const QPoint& to) {
    switch (rectZoomAction(to.x() - from.x(), to.y() - from.y())) {
        case ERectZoom::None:
            update();
            return;
        case ERectZoom::RestoreHome:
            restoreHomeRange();
            return;
        case ERectZoom::Zoom:
            break;
    }
    // The far corner may lie beyond the plot; the zoom stops at what the plot shows.
    const QPoint end(std::clamp(to.x(), m_plotRect.left, m_plotRect.right),
                     std::clamp(to.y(), m_plotRect.top, m_plotRect.bottom));
    for (auto& a : m_axes) {
        if (!a) continue;
        const SPlotRange r =
            orderedRange(a->pixelToValue(along(*a, from)), a->pixelToValue(along(*a, end)));
        if (isShowableRange(r, a->smallestRange())) showUserRange(*a, r, false);
    }
    redraw();
}

void CPlotCtrl::panBy(const QPoint& from, const QPoint& to) {
    if (from == to) return;
    suspendRedraw();
    for (auto& a : m_axes) {
        if (!a) continue;
        const double shift = a->pixelToValue(along(*a, from)) - a->pixelToValue(along(*a, to));
        if (shift == 0.0 || !std::isfinite(shift)) continue;
        showUserRange(*a, {a->rangeMin() + shift, a->rangeMax() + shift}, false);
    }
    redraw();
    resumeRedraw();
}

void CPlotCtrl::mousePressEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    m_dragStart = m_dragCurrent = m_lastMove = pos;
    if (event->button() == Qt::RightButton) {
        m_mouseMode = kMouseModeRectZoom;
        m_drag = EDrag::Pan;
        updatePointer(pos);
        return;
    }
    if (event->button() != Qt::LeftButton) return;

    m_pressOnPlot = isOnPlot(pos);
    if (m_pressOnPlot) {
        for (CPlotDragLineCursor* c : dragLineCursors()) {
            if (c->isNear(pos.x(), pos.y())) {
                m_draggedCursor = c;
                c->beginDrag();
                m_drag = EDrag::Cursor;
                return;
            }
        }
        if (m_mouseMode == kMouseModeZoomIn || m_mouseMode == kMouseModeZoomOut) {
            for (int slot : {kAxisBottom, kAxisLeft}) {
                CPlotAxis* a = axis(slot);
                if (!a) continue;
                const SPlotRange r =
                    clickZoomRange(a->range(), a->pixelToValue(along(*a, pos)), m_mouseMode);
                if (isShowableRange(r, a->smallestRange())) showUserRange(*a, r, true);
            }
            redraw();
            return;
        }
        if (m_zoomEnabled) m_drag = EDrag::ZoomRect;
        return;
    }
    const CPlotAxis* left = axis(kAxisLeft);
    const CPlotAxis* bottom = axis(kAxisBottom);
    if (left && left->isVisible() && left->strip().contains(pos.x(), pos.y())) {
        m_drag = EDrag::LeftStretch;
    } else if (bottom && bottom->isVisible() && bottom->strip().contains(pos.x(), pos.y())) {
        m_drag = EDrag::BottomStrip;
    }
    updatePointer(pos);
}

void CPlotCtrl::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    switch (m_drag) {
        case EDrag::Cursor:
            if (m_draggedCursor) m_draggedCursor->dragTo(pos.x(), pos.y());
            redraw();
            break;
        case EDrag::ZoomRect:
            m_dragCurrent = pos;
            update();
            break;
        case EDrag::LeftStretch: {
            CPlotAxis* a = axis(kAxisLeft);
            const int dy = pos.y() - m_lastMove.y();
            if (!a || dy == 0) break;
            const SPlotRange r = stretchMaximum(a->range(), dy);
            if (std::isfinite(r.max)) showUserRange(*a, r, true);
            m_lastMove = pos;
            redraw();
            break;
        }
        case EDrag::BottomStrip: {
            CPlotAxis* a = axis(kAxisBottom);
            const int dx = pos.x() - m_lastMove.x();
            if (!a || std::abs(dx) <= kStripStepPixels) break;
            const SPlotRange r = bottomStripStep(a->range(), dx < 0 ? -1 : 1, bottomCursorValue());
            if (isShowableRange(r, a->smallestRange())) showUserRange(*a, r, true);
            m_lastMove = pos;
            redraw();
            break;
        }
        case EDrag::Pan:
            if (m_panEnabled) panBy(m_lastMove, pos);
            m_lastMove = pos;
            break;
        case EDrag::None:
            updatePointer(pos);
            break;
    }
}

void CPlotCtrl::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (event->button() == Qt::RightButton) {
        if (m_drag == EDrag::Pan) m_drag = EDrag::None;
        updatePointer(pos);
        return;
    }
    if (event->button() != Qt::LeftButton) return;

    const EDrag drag = m_drag;
    m_drag = EDrag::None;
    if (drag == EDrag::Cursor && m_draggedCursor) {
        m_draggedCursor->endDrag();
        m_draggedCursor = nullptr;
    }
    if (drag == EDrag::ZoomRect) zoomByRectangle(m_dragStart, pos);
    // A click on the plot (press and release within the grab distance) puts the cursors there.
    if (m_pressOnPlot && withinGrab(pos, m_dragStart)) {
        for (CPlotDragLineCursor* c : dragLineCursors())
            c->setFromPointer(pos.x(), pos.y());
        redraw();
    } else if (drag == EDrag::Cursor) {
        redraw();
    }
    m_pressOnPlot = false;
    updatePointer(pos);
}

#include "shell/chart/PlotZoom.h"

#include <algorithm>
#include <cmath>

SPlotRange clickZoomRange(SPlotRange r, double at, int mouseMode) {
    if (mouseMode == kMouseModeZoomIn) {
        return {r.min + (at - r.min) * kClickZoomFactor, r.max - (r.max - at) * kClickZoomFactor};
    }
    if (mouseMode == kMouseModeZoomOut) {
        return {r.min - (at - r.min) * kClickZoomFactor, r.max + (r.max - at) * kClickZoomFactor};
    }
    return r;
}

ERectZoom rectZoomAction(int dx, int dy) {
    if (dx < -kRectRestorePixels || dy < -kRectRestorePixels) return ERectZoom::RestoreHome;
    if (dx > kRectZoomPixels && dy != 0) return ERectZoom::Zoom;
    return ERectZoom::None;
}

SPlotRange orderedRange(double a, double b) {
    return {std::min(a, b), std::max(a, b)};
}

SPlotRange stretchMaximum(SPlotRange r, int dy) {
    if (dy == 0) return r;
    double max = r.max * (dy > 0 ? kStretchDown : kStretchUp);
    if (max < r.min) {
        // min x 1.01 lies above a positive minimum only; below zero it would land under the
        // minimum again and turn the axis upside down.
        max = r.min > 0.0 ? r.min * kStretchFloor
                          : r.min + std::max(std::fabs(r.min) * (kStretchFloor - 1.0),
                                             kDefaultSmallestRange);
    }
    return {r.min, max};
}

SPlotRange bottomStripStep(SPlotRange r, int direction, std::optional<double> cursor) {
    if (direction == 0) return r;
    double lowShare;
    double highShare;
    if (cursor && *cursor > r.min && *cursor < r.max) {
        lowShare = kStripZoomFactor * (*cursor - r.min);
        highShare = kStripZoomFactor * (r.max - *cursor);
    } else {
        lowShare = highShare = kStripZoomFactor * (r.max - r.min);
    }
    if (direction < 0) return {r.min - lowShare, r.max + highShare};
    return {r.min + lowShare, r.max - highShare};
}

bool isShowableRange(SPlotRange r, double smallest) {
    return std::isfinite(r.min) && std::isfinite(r.max) && r.max - r.min >= smallest;
}

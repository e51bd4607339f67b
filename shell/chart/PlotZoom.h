#pragma once
// Zoom and pan arithmetic of the mouse interaction, on plain axis ranges.

#include <optional>

inline constexpr double kClickZoomFactor = 0.3;  ///< share of each side a click zoom moves
inline constexpr int kRectRestorePixels = 10;    ///< drag left or up beyond this: home range
inline constexpr int kRectZoomPixels = 32;       ///< drag right beyond this: zoom
inline constexpr int kCursorGrabPixels = 3;      ///< drag-line grab and click tolerance
inline constexpr double kStretchDown = 1.02;     ///< left strip, pointer moving down
inline constexpr double kStretchUp = 0.98;       ///< left strip, pointer moving up
inline constexpr double kStretchFloor = 1.01;    ///< maximum below the minimum: min x this
inline constexpr int kStripStepPixels = 5;       ///< bottom strip acts on steps beyond this
inline constexpr double kStripZoomFactor = 0.2;  ///< share each bottom strip step moves
inline constexpr double kDefaultSmallestRange = 0.001;

enum MouseMode : int {
    kMouseModeRectZoom = 0,
    kMouseModeZoomOut = 1,
    kMouseModeZoomIn = 2,
};

struct SPlotRange {
    double min = 0.0;
    double max = 0.0;
    bool operator==(const SPlotRange&) const = default;
};

/// A click zoom at the value at: mode 2 closes both ends in by 30 % of their distance to it,
/// mode 1 moves them out by as much; other modes leave the range.
SPlotRange clickZoomRange(SPlotRange r, double at, int mouseMode);

enum class ERectZoom { None, RestoreHome, Zoom };

/// What releasing a zoom rectangle dragged by (dx, dy) pixels does.
ERectZoom rectZoomAction(int dx, int dy);

/// The range between two values under the rectangle's edges, smaller first.
SPlotRange orderedRange(double a, double b);

/// One step of the left-axis stretch: dy > 0 (pointer down) raises the maximum, dy < 0 lowers
/// it; the minimum stays.
SPlotRange stretchMaximum(SPlotRange r, int dy);

/// One bottom-strip step to the left (direction < 0, wider) or right (direction > 0, narrower),
/// centred on the cursor value when it lies strictly inside the range.
SPlotRange bottomStripStep(SPlotRange r, int direction, std::optional<double> cursor);

/// True when a zoom may show r: finite, ordered and not narrower than smallest.
bool isShowableRange(SPlotRange r, double smallest);

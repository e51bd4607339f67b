#pragma once
// Cursors of the chart. A drag-line cursor is a line across the plot at one value of its axis
// that the user drags; listeners hear every move. Owned by CPlotCtrl; UI thread.

#include <QColor>
#include <functional>
#include <vector>

#include "shell/chart/PlotGeometry.h"

class QPainter;
class CPlotAxis;

class CPlotCursor {
  public:
    /// Told (value, 0) for a cursor on a horizontal axis, (0, value) on a vertical one.
    using Listener = std::function<void(double x, double y)>;

    virtual ~CPlotCursor();
    /// Returns an id for removeListener.
    int addListener(Listener listener);
    void removeListener(int id);

    virtual void draw(QPainter& p, const SPlotRect& plot) = 0;

  protected:
    void notify(double x, double y) const;

  private:
    struct SEntry {
        int id;
        Listener listener;
    };
    std::vector<SEntry> m_listeners;
    int m_nextId = 1;
};

class CPlotDragLineCursor : public CPlotCursor {
  public:
    CPlotDragLineCursor(CPlotAxis* axis, double value);

    CPlotAxis* axis() const { return m_axis; }
    void replaceAxis(const CPlotAxis* old, CPlotAxis* replacement);

    double value() const { return m_value; }
    /// A value outside the axis range is refused; the line is placed anew either way.
    void setCursorValue(double value);
    /// The line's pixel column (vertical line) or row (horizontal line) of the last placing.
    int pixelPosition() const { return m_pixel; }
    /// The value lies inside the axis range.
    bool isVisible() const { return m_visible; }
    bool isDragging() const { return m_dragging; }
    QColor color() const { return m_color; }
    void setColor(const QColor& c) { m_color = c; }

    /// Places the line for the axis' current range and extent.
    void updatePosition();
    /// True when (x, y) lies within the grab distance of the shown line along the axis.
    bool isNear(int x, int y) const;

    // Mouse steps, driven by the chart. The pointer is given in client pixels.
    void beginDrag();
    void dragTo(int x, int y);
    void endDrag();
    /// Moves the line to the value under the pointer and tells the listeners.
    void setFromPointer(int x, int y);

    void draw(QPainter& p, const SPlotRect& plot) override;

  private:
    double valueAt(int x, int y) const;
    void tellListeners() const;

    CPlotAxis* m_axis;
    double m_value;
    int m_pixel = 0;
    bool m_visible = false;
    bool m_dragging = false;
    QColor m_color{0, 100, 100};
};

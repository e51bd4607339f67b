#pragma once
// The views' chart: CPlotCtrl with one Y axis at the left, one X axis at the bottom, a vertical
// drag-line cursor and series addressed by name, each with its own copy of its points so the
// cursor readout can look values up. Wheel zooms around the mouse and a legend tooltip. UI
// thread.

#include <QString>
#include <vector>

#include "apps/framework/ViewRules.h"
#include "shell/chart/PlotCtrl.h"

/// The points of one named series, as last given to the chart.
struct SeriesBuffer {
    QString name;
    int count = 0;
    std::vector<double> x = std::vector<double>(kViewArraySize);
    std::vector<double> y = std::vector<double>(kViewArraySize);
    unsigned char visible = 1;
};

class CTavrinPlotCtrl : public CPlotCtrl {
    Q_OBJECT
  public:
    explicit CTavrinPlotCtrl(QWidget* parent = nullptr);

    /// The first series among ids 0..99 with that name, or null.
    CPlotSeries* FindNamedSeries(const QString& name) const;
    /// A line series with its buffer; the legend shows while more than one buffer exists.
    /// Returns 0 when the chart cannot make the series (no axes yet).
    int AddNamedSeries(const QString& name);
    /// Removes the chart series of that name and its buffers.
    void RemoveNamedSeries(const QString& name);
    /// Gives every buffer of that name the points and the chart series the same points. More
    /// than 3700 points are refused and nothing changes; 0 also when the series is missing.
    int SetNamedSeriesData(const QString& name, const double* x, const double* y, int count);
    /// The chart title, in Arial.
    void SetChartTitle(const QString& text);

    /// A wheel step at a client position: around the mouse inside the plot, the bottom axis
    /// alone over it (around the cursor while it lies inside), the left axis' top over it.
    void wheelAt(const QPoint& pos, int delta);

    CPlotStandardAxis* leftAxis = nullptr;
    CPlotStandardAxis* bottomAxis = nullptr;
    CPlotDragLineCursor* dragCursor = nullptr;
    std::vector<SeriesBuffer> seriesBuffers;
    double yRangeMin = 0.0;
    double yRangeMax = 5000.0;
    double xRangeMin = 0.0;
    double xRangeMax = 1100.0;
    int mouseLocked = 0;

  protected:
    void wheelEvent(QWheelEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    void updateLegendVisibility();
    QString tooltipText_;
};

/// 0x00BBGGRR as a colour, and back.
QColor colourFromRef(int ref);
int refFromColour(const QColor& c);

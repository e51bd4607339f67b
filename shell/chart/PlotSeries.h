#pragma once
// Series of the chart: XY points drawn against one horizontal and one vertical axis, as a
// polyline or as markers. Owned by CPlotCtrl; UI thread.

#include <QColor>
#include <QPoint>
#include <QString>
#include <cstddef>
#include <optional>
#include <vector>

#include "shell/chart/PlotAxis.h"
#include "shell/chart/PlotGeometry.h"
#include "shell/chart/PlotSeriesRange.h"

class QPainter;

class CPlotSeries {
  public:
    CPlotSeries(unsigned id, CPlotAxis* horizontal, CPlotAxis* vertical);
    virtual ~CPlotSeries();
    CPlotSeries(const CPlotSeries&) = delete;
    CPlotSeries& operator=(const CPlotSeries&) = delete;

    unsigned id() const { return m_id; }
    QString name() const { return m_name; }
    void setName(const QString& n) { m_name = n; }
    QColor color() const { return m_color; }
    void setColor(const QColor& c) { m_color = c; }
    int penWidth() const { return m_penWidth; }
    void setPenWidth(int w) { m_penWidth = w < 1 ? 1 : w; }
    bool isVisible() const { return m_visible; }
    void setVisible(bool v) { m_visible = v; }

    CPlotAxis* horizontalAxis() const { return m_horizontal; }
    CPlotAxis* verticalAxis() const { return m_vertical; }
    /// The chart re-points its series when an axis is replaced in its slot.
    void replaceAxis(const CPlotAxis* old, CPlotAxis* replacement);

    SPlotRect drawingRect() const { return m_drawingRect; }
    void setDrawingRect(const SPlotRect& r) { m_drawingRect = r; }

    virtual std::size_t pointCount() const = 0;
    /// Smallest and largest X and Y over the finite points; false without any.
    virtual bool dataExtent(double& xMin, double& xMax, double& yMin, double& yMax) const = 0;

    virtual void draw(QPainter& p) = 0;
    /// Drawn after every series, clipped to the plotting rectangle; nothing by default.
    virtual void drawSecondLayer(QPainter& p);
    virtual void drawLegendSymbol(QPainter& p, const SPlotRect& box) const = 0;

  protected:
    unsigned m_id;
    QString m_name;
    QColor m_color{Qt::red};
    int m_penWidth = 1;
    bool m_visible = true;
    CPlotAxis* m_horizontal;
    CPlotAxis* m_vertical;
    SPlotRect m_drawingRect;
};

template <typename TPoint>
class CPlotSeriesBase : public CPlotSeries {
  public:
    using CPlotSeries::CPlotSeries;

    const std::vector<TPoint>& points() const { return m_points; }
    void setPoints(std::vector<TPoint> points) {
        m_points = std::move(points);
        pointsChanged();
    }
    void clearPoints() {
        m_points.clear();
        pointsChanged();
    }
    std::size_t pointCount() const override { return m_points.size(); }

  protected:
    virtual void pointsChanged() {}
    std::vector<TPoint> m_points;
};

class CPlotXYSeries : public CPlotSeriesBase<SPlotXYPoint> {
  public:
    using CPlotSeriesBase::CPlotSeriesBase;
    using CPlotSeriesBase::setPoints;
    /// Copies count points from two arrays.
    void setPoints(const double* x, const double* y, std::size_t count);

    EPlotXOrder xOrder() const { return m_order; }
    bool dataExtent(double& xMin, double& xMax, double& yMin, double& yMax) const override;
    /// The points to draw for the horizontal axis' shown range.
    SPlotIndexRange visibleRange() const;

  protected:
    void pointsChanged() override;

    struct SDrawSetup {
        SPlotIndexRange range;
        SPlotPixelMap x;
        SPlotPixelMap y;
    };
    /// What drawing needs; nothing when the series is hidden, empty or without its axes.
    std::optional<SDrawSetup> drawSetup() const;

  private:
    EPlotXOrder m_order = EPlotXOrder::Ascending;
    bool m_hasExtent = false;
    double m_xMin = 0, m_xMax = 0, m_yMin = 0, m_yMax = 0;
};

class CPlotLineSeries : public CPlotXYSeries {
  public:
    using CPlotXYSeries::CPlotXYSeries;

    Qt::PenStyle penStyle() const { return m_penStyle; }
    void setPenStyle(Qt::PenStyle s) { m_penStyle = s; }
    /// Draws a smooth curve through the points instead of straight segments.
    bool isSmooth() const { return m_smooth; }
    void setSmooth(bool s) { m_smooth = s; }

    void draw(QPainter& p) override;
    void drawLegendSymbol(QPainter& p, const SPlotRect& box) const override;

  private:
    void flush(QPainter& p);

    Qt::PenStyle m_penStyle = Qt::SolidLine;
    bool m_smooth = false;
    std::vector<QPoint> m_pixels;  // kept between drawings so a redraw allocates nothing
};

enum class EPlotMarker { Ellipse, Rectangle, Triangle };

class CPlotPointsSeries : public CPlotXYSeries {
  public:
    using CPlotXYSeries::CPlotXYSeries;

    EPlotMarker marker() const { return m_marker; }
    void setMarker(EPlotMarker m) { m_marker = m; }
    int markerSize() const { return m_markerSize; }
    void setMarkerSize(int px) { m_markerSize = px < 1 ? 1 : px; }

    void draw(QPainter& p) override;
    void drawLegendSymbol(QPainter& p, const SPlotRect& box) const override;

  private:
    void drawMarker(QPainter& p, QPoint centre) const;

    EPlotMarker m_marker = EPlotMarker::Ellipse;
    int m_markerSize = 5;
};

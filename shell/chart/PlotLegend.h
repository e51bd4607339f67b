#pragma once
// The legend box docked at the right edge of the chart, one entry below the other. Owned by
// CPlotCtrl; UI thread.

#include <QColor>
#include <QFont>
#include <vector>

#include "shell/chart/PlotLegendLayout.h"

class QPainter;
class CPlotSeries;

class CPlotLegend {
  public:
    CPlotLegend();

    bool isVisible() const { return m_visible; }
    void setVisible(bool v) { m_visible = v; }
    bool hasShadow() const { return m_shadow; }
    void setShadow(bool v) { m_shadow = v; }
    int shadowDepth() const { return m_shadowDepth; }
    void setShadowDepth(int px) { m_shadowDepth = px; }
    QColor shadowColor() const { return m_shadowColor; }
    void setShadowColor(const QColor& c) { m_shadowColor = c; }
    QColor backgroundColor() const { return m_background; }
    void setBackgroundColor(const QColor& c) { m_background = c; }
    QColor textColor() const { return m_textColor; }
    void setTextColor(const QColor& c) { m_textColor = c; }
    QFont font() const { return m_font; }
    void setFont(const QFont& f) { m_font = f; }

    /// Lays the legend out for the series in id order and moves chart.right to leave it room.
    void layout(QPainter& p, const std::vector<const CPlotSeries*>& series, SPlotRect& chart);
    /// Draws the last layout.
    void draw(QPainter& p) const;

    /// The box of the last layout; empty when the legend took no room.
    const SPlotRect& boxRect() const { return m_layout.box; }
    const SPlotLegendHitRecord& hitRecord() const { return m_layout.record; }
    SPlotLegendHit entryAt(int x, int y) const;

    SPlotLegendLayout layoutState() const { return m_layout; }
    void restoreLayoutState(const SPlotLegendLayout& s) { m_layout = s; }

  private:
    bool m_visible = false;
    bool m_shadow = true;
    int m_shadowDepth = 3;
    QColor m_shadowColor{128, 128, 128};
    QColor m_background{Qt::white};
    QColor m_textColor{Qt::black};
    QFont m_font;
    SPlotLegendLayout m_layout;
    std::vector<const CPlotSeries*> m_entrySeries;  // the series of each laid-out entry
};

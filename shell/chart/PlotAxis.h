#pragma once
// Axes of the chart: the abstract axis with its range and pixel mapping, and the standard
// linear axis with automatic ticks, its grid and its caption. Owned by CPlotCtrl; UI thread.

#include <QColor>
#include <QFont>
#include <QHash>
#include <QImage>
#include <QStaticText>
#include <QString>
#include <vector>

#include "shell/chart/PlotGeometry.h"
#include "shell/chart/PlotTicks.h"
#include "shell/chart/PlotZoom.h"

class QPainter;
class CPlotAxis;

enum PlotAxisSlot : int {
    kAxisLeft = 0,
    kAxisBottom = 1,
    kAxisRight = 2,
    kAxisTop = 3,
    kAxisSlotCount = 4,
};

/// Grid lines at the ticks of one axis, dotted: 3-pixel dashes every 6 pixels.
class CPlotGrid {
  public:
    QColor color() const { return m_color; }
    void setColor(const QColor& c) { m_color = c; }
    bool isVisible() const { return m_visible; }
    void setVisible(bool v) { m_visible = v; }

    void draw(QPainter& p, const CPlotAxis& axis, const SPlotRect& plot) const;

  private:
    void drawSegments(QPainter& p, const CPlotAxis& axis, const SPlotRect& plot) const;
    const QImage& dashedLine(bool vertical, int length) const;

    QColor m_color{128, 128, 128};
    bool m_visible = true;
    // One grid line drawn ahead as an image and blitted at every tick: thousands of 3-pixel
    // dashes per drawing otherwise dominate the chart's drawing time.
    mutable QImage m_dashes;
    mutable bool m_dashesVertical = false;
    mutable QRgb m_dashesColor = 0;
};

/// The caption of an axis.
class CPlotAxisLabel {
  public:
    CPlotAxisLabel();
    QString text() const { return m_text; }
    void setText(const QString& t) { m_text = t; }
    QColor color() const { return m_color; }
    void setColor(const QColor& c) { m_color = c; }
    QFont font() const { return m_font; }
    void setFont(const QFont& f) { m_font = f; }
    bool isVisible() const { return m_visible; }
    void setVisible(bool v) { m_visible = v; }
    bool isShown() const { return m_visible && !m_text.isEmpty(); }

  private:
    QString m_text;
    QColor m_color{Qt::black};
    QFont m_font;
    bool m_visible = true;
};

/// Offset and scale that turn an axis value into a pixel: pixel = offset + value * scale.
struct SPlotPixelMap {
    double offset = 0.0;
    double scale = 0.0;
    double toPixel(double v) const { return offset + v * scale; }
};

class CPlotAxis {
  public:
    explicit CPlotAxis(int slot);
    virtual ~CPlotAxis();
    CPlotAxis(const CPlotAxis&) = delete;
    CPlotAxis& operator=(const CPlotAxis&) = delete;

    int slot() const { return m_slot; }
    bool isHorizontal() const { return m_slot == kAxisBottom || m_slot == kAxisTop; }
    bool isSecondary() const { return m_slot == kAxisRight || m_slot == kAxisTop; }

    double rangeMin() const { return m_rangeMin; }
    double rangeMax() const { return m_rangeMax; }
    double homeMin() const { return m_homeMin; }
    double homeMax() const { return m_homeMax; }
    SPlotRange range() const { return {m_rangeMin, m_rangeMax}; }
    /// Shown and home range at once.
    void setRange(double min, double max);
    void setShownRange(double min, double max);
    void setHomeRange(double min, double max);
    void restoreHomeRange();
    /// True when value lies inside the shown range (ends included).
    bool contains(double value) const;

    bool isInverted() const { return m_inverted; }
    void setInverted(bool v) { m_inverted = v; }
    bool isVisible() const { return m_visible; }
    void setVisible(bool v) { m_visible = v; }
    /// An automatic axis takes shown and home range from the data of its series at each drawing.
    bool isAutomatic() const { return m_automatic; }
    void setAutomatic(bool v) { m_automatic = v; }
    bool hasAutomaticTicks() const { return m_automaticTicks; }
    void setAutomaticTicks(bool v) { m_automaticTicks = v; }
    /// A fixed increment; turns automatic ticks off.
    void setTickIncrement(double increment, int decimals);

    double tickIncrement() const { return m_tick.increment; }
    int labelDecimals() const { return m_tick.decimals; }
    double firstTickValue() const { return m_firstTick; }

    QFont tickFont() const { return m_tickFont; }
    void setTickFont(const QFont& f) { m_tickFont = f; }
    int margin() const { return m_margin; }
    void setMargin(int px) { m_margin = px; }
    double smallestRange() const { return m_smallestRange; }
    void setSmallestRange(double v) { m_smallestRange = v; }
    QColor color() const { return m_color; }
    void setColor(const QColor& c) { m_color = c; }

    CPlotGrid& grid() { return m_grid; }
    const CPlotGrid& grid() const { return m_grid; }
    CPlotAxisLabel& label() { return m_label; }
    const CPlotAxisLabel& label() const { return m_label; }

    /// The pixel extent of the last drawing: the pixel of the range's minimum end and of its
    /// maximum end before inversion (left to right, bottom to top).
    int startPixel() const { return m_startPixel; }
    int endPixel() const { return m_endPixel; }
    void setExtent(int startPixel, int endPixel);
    /// Pixel rows or columns of the ticks drawn last.
    const std::vector<int>& tickPixels() const { return m_tickPixels; }
    /// The room the axis took beside the plotting rectangle at the last drawing.
    const SPlotRect& strip() const { return m_strip; }

    SPlotPixelMap pixelMap() const;
    double valueToPixelF(double value) const { return pixelMap().toPixel(value); }
    int valueToPixel(double value) const;
    double pixelToValue(double pixel) const;

    /// First layout pass: takes the axis' room from r and works out its ticks.
    virtual void takeRoom(SPlotRect& r, QPainter& p) = 0;
    /// How far the end labels reach past the plotting rectangle along the axis.
    virtual int labelOverhang() const = 0;
    /// Second pass, once the extent is set: line, ticks, labels, caption and grid.
    virtual void draw(QPainter& p, const SPlotRect& plot) = 0;

    struct SLayoutState {
        int startPixel, endPixel;
        std::vector<int> tickPixels;
        SPlotRect strip;
    };
    SLayoutState layoutState() const { return {m_startPixel, m_endPixel, m_tickPixels, m_strip}; }
    void restoreLayoutState(const SLayoutState& s);

  protected:
    int m_slot;
    double m_rangeMin = 0.0;
    double m_rangeMax = 0.0;
    double m_homeMin = 0.0;
    double m_homeMax = 0.0;
    bool m_inverted = false;
    bool m_visible = true;
    bool m_automatic = false;
    bool m_automaticTicks = true;
    SPlotTickStep m_tick;
    double m_firstTick = 0.0;
    QFont m_tickFont;
    int m_margin = 7;
    double m_smallestRange = kDefaultSmallestRange;
    QColor m_color{Qt::black};
    CPlotGrid m_grid;
    CPlotAxisLabel m_label;
    int m_startPixel = 0;
    int m_endPixel = 0;
    std::vector<int> m_tickPixels;
    SPlotRect m_strip;
};

/// Linear axis with 1-2-5 ticks.
class CPlotStandardAxis : public CPlotAxis {
  public:
    explicit CPlotStandardAxis(int slot);

    void takeRoom(SPlotRect& r, QPainter& p) override;
    int labelOverhang() const override { return m_overhang; }
    void draw(QPainter& p, const SPlotRect& plot) override;

  private:
    void computeTicks(int lengthPx);
    /// Tick labels recur from one drawing to the next; their laid-out text is kept.
    const QStaticText& staticLabel(const QString& text, const QFont& font);

    QHash<QString, QStaticText> m_labelCache;
    QFont m_labelCacheFont;

    std::vector<double> m_tickValues;
    std::vector<QString> m_tickLabels;
    int m_labelWidth = 0;   // widest tick label
    int m_labelHeight = 0;  // tick font line height
    int m_captionHeight = 0;
    int m_overhang = 0;
};

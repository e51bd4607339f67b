#include "shell/chart/PlotCtrl.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QLinearGradient>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "shell/chart/PlotPaint.h"
#include "shell/chart/PlotPeakText.h"

namespace {
const QColor kPeakColor(0, 200, 0);
constexpr int kPeakLabelLift = 4;     // marker labels sit this far above the peak point
constexpr int kPeakFontLargest = 12;  // pixel sizes tried for the peak text block
constexpr int kPeakFontSmallest = 8;
constexpr int kPeakTextRightPad = 4;  // the heading stops short of the plot border
}  // namespace

CPlotCtrl::CPlotCtrl(QWidget* parent)
    : QWidget(parent),
      m_background(palette().color(QPalette::Button)),
      m_printTitleFont(QStringLiteral("Arial"), 14, QFont::Bold),
      m_printNotesFont(QStringLiteral("Arial"), 10) {
    m_printTitleFont.setStyleHint(QFont::SansSerif);
    m_printNotesFont.setStyleHint(QFont::SansSerif);
    setProperty("windowClassName", QStringLiteral("PlotCtrl"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

CPlotCtrl::~CPlotCtrl() = default;

int CPlotCtrl::create(QWidget* parent, const QRect& rect, int id) {
    setParent(parent);
    setObjectName(QString::number(id));
    setGeometry(rect);
    show();
    return 1;
}

// Axes -----------------------------------------------------------------------------------------

CPlotStandardAxis* CPlotCtrl::createAxis(int slot) {
    if (slot < 0 || slot >= kAxisSlotCount) return nullptr;
    auto axis = std::make_unique<CPlotStandardAxis>(slot);
    CPlotStandardAxis* created = axis.get();
    // Series and cursors hold their axes by pointer; they follow the slot to its new axis
    // instead of keeping a pointer to a deleted one.
    if (const CPlotAxis* old = m_axes[slot].get()) {
        for (auto& [id, s] : m_series)
            s->replaceAxis(old, created);
        for (CPlotDragLineCursor* c : dragLineCursors())
            c->replaceAxis(old, created);
    }
    m_axes[slot] = std::move(axis);
    return created;
}

CPlotAxis* CPlotCtrl::axis(int slot) const {
    if (slot < 0 || slot >= kAxisSlotCount) return nullptr;
    return m_axes[slot].get();
}

void CPlotCtrl::restoreHomeRange() {
    for (auto& a : m_axes) {
        if (a) a->restoreHomeRange();
    }
    redraw();
}

// Series ---------------------------------------------------------------------------------------

unsigned CPlotCtrl::nextSeriesId() const {
    // The lowest free id: views look their series up among the first ids, so ids must not
    // creep upwards while overlays come and go.
    unsigned id = 0;
    for (const auto& entry : m_series) {
        if (entry.first != id) break;
        ++id;
    }
    return id;
}

template <typename TSeries>
TSeries* CPlotCtrl::addSeries(bool secondaryHorizontal, bool secondaryVertical) {
    CPlotAxis* h = axis(secondaryHorizontal ? kAxisTop : kAxisBottom);
    CPlotAxis* v = axis(secondaryVertical ? kAxisRight : kAxisLeft);
    if (!h || !v) return nullptr;
    const unsigned id = nextSeriesId();
    auto s = std::make_unique<TSeries>(id, h, v);
    TSeries* created = s.get();
    m_series.emplace(id, std::move(s));
    return created;
}

CPlotLineSeries* CPlotCtrl::createLineSeries(bool secondaryHorizontal, bool secondaryVertical) {
    return addSeries<CPlotLineSeries>(secondaryHorizontal, secondaryVertical);
}

CPlotPointsSeries* CPlotCtrl::createPointsSeries(bool secondaryHorizontal, bool secondaryVertical) {
    return addSeries<CPlotPointsSeries>(secondaryHorizontal, secondaryVertical);
}

CPlotSeries* CPlotCtrl::series(unsigned id) const {
    const auto it = m_series.find(id);
    return it == m_series.end() ? nullptr : it->second.get();
}

std::vector<CPlotSeries*> CPlotCtrl::allSeries() const {
    std::vector<CPlotSeries*> all;
    all.reserve(m_series.size());
    for (const auto& [id, s] : m_series)
        all.push_back(s.get());
    return all;
}

bool CPlotCtrl::removeSeries(unsigned id) {
    return m_series.erase(id) > 0;
}

void CPlotCtrl::removeAllSeries() {
    m_series.clear();
}

// Cursors --------------------------------------------------------------------------------------

CPlotDragLineCursor* CPlotCtrl::createDragLineCursor(CPlotAxis* axis, double value) {
    const bool ours = std::any_of(m_axes.begin(), m_axes.end(),
                                  [axis](const auto& a) { return a && a.get() == axis; });
    if (!ours) return nullptr;
    auto c = std::make_unique<CPlotDragLineCursor>(axis, value);
    CPlotDragLineCursor* created = c.get();
    m_cursors.push_back(std::move(c));
    return created;
}

std::vector<CPlotDragLineCursor*> CPlotCtrl::dragLineCursors() const {
    std::vector<CPlotDragLineCursor*> lines;
    for (const auto& c : m_cursors) {
        if (auto* line = dynamic_cast<CPlotDragLineCursor*>(c.get())) lines.push_back(line);
    }
    return lines;
}

bool CPlotCtrl::removeCursor(CPlotCursor* cursor) {
    if (cursor == m_draggedCursor) {
        m_draggedCursor = nullptr;
        m_drag = EDrag::None;
    }
    return std::erase_if(m_cursors, [cursor](const auto& c) { return c.get() == cursor; }) > 0;
}

// Legend, colours, mouse mode ------------------------------------------------------------------

SPlotLegendHit CPlotCtrl::legendEntryAt(const QPoint& p) const {
    return m_legend.entryAt(p.x(), p.y());
}

void CPlotCtrl::setBackGradientColors(const QColor& from, const QColor& to,
                                      Qt::Orientation direction) {
    m_gradientFrom = from;
    m_gradientTo = to;
    m_gradientDirection = direction;
}

void CPlotCtrl::setMouseMode(int mode) {
    m_mouseMode = std::clamp(mode, 0, 2);
    updatePointer(mapFromGlobal(QCursor::pos()));
}

// Drawing --------------------------------------------------------------------------------------

void CPlotCtrl::resumeRedraw() {
    if (m_redrawCounter < 1) ++m_redrawCounter;
    if (m_redrawCounter >= 1 && m_redrawPending) redraw();
}

void CPlotCtrl::redraw() {
    if (m_redrawCounter < 1) {
        m_redrawPending = true;
        return;
    }
    m_redrawPending = false;
    const QSize size = this->size();
    if (size.isEmpty()) return;
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = size * ratio;
    if (m_buffer.size() != pixels) {
        m_buffer = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
        m_buffer.setDevicePixelRatio(ratio);
    }
    QPainter p(&m_buffer);
    renderTo(p, QRect(QPoint(0, 0), size));
    p.end();
    update();
}

void CPlotCtrl::renderTo(QPainter& p, const QRect& client) {
    drawBackground(p, client);
    drawEdge(p, client);
    const SPlotRect inner{client.left() + kPlotChartInset, client.top() + kPlotChartInset,
                          client.left() + client.width() - kPlotChartInset,
                          client.top() + client.height() - kPlotChartInset};
    drawChart(p, inner);
    drawPeakTable(p);
}

void CPlotCtrl::drawBackground(QPainter& p, const QRect& client) {
    if (!m_gradient) {
        p.fillRect(client, m_background);
        return;
    }
    const QPointF end = m_gradientDirection == Qt::Horizontal
                            ? QPointF(client.right(), client.top())
                            : QPointF(client.left(), client.bottom());
    QLinearGradient g(client.topLeft(), end);
    g.setColorAt(0, m_gradientFrom);
    g.setColorAt(1, m_gradientTo);
    p.fillRect(client, g);
}

void CPlotCtrl::drawEdge(QPainter& p, const QRect& client) {
    if (m_edge == EPlotEdge::None) return;
    const QColor dark = palette().color(QPalette::Dark);
    const QColor light = palette().color(QPalette::Light);
    const QColor outerTopLeft = m_edge == EPlotEdge::Raised ? light : dark;
    const QColor outerBottomRight = m_edge == EPlotEdge::Raised ? dark : light;
    const QRect r = client.adjusted(0, 0, -1, -1);
    fillHLine(p, r.left(), r.right(), r.top(), outerTopLeft);
    fillVLine(p, r.left(), r.top(), r.bottom(), outerTopLeft);
    fillHLine(p, r.left(), r.right(), r.bottom(), outerBottomRight);
    fillVLine(p, r.right(), r.top(), r.bottom(), outerBottomRight);
    if (m_edge == EPlotEdge::Etched) {
        fillFrame(p, r.left() + 1, r.top() + 1, r.right() - 1, r.bottom() - 1, light);
    }
}

void CPlotCtrl::applyAutomaticRanges() {
    for (auto& a : m_axes) {
        if (!a || !a->isAutomatic()) continue;
        bool found = false;
        double lo = 0.0;
        double hi = 0.0;
        for (const auto& [id, s] : m_series) {
            if (!s->isVisible()) continue;
            const bool horizontal = s->horizontalAxis() == a.get();
            if (!horizontal && s->verticalAxis() != a.get()) continue;
            double x0, x1, y0, y1;
            if (!s->dataExtent(x0, x1, y0, y1)) continue;
            const double from = horizontal ? x0 : y0;
            const double to = horizontal ? x1 : y1;
            lo = found ? std::min(lo, from) : from;
            hi = found ? std::max(hi, to) : to;
            found = true;
        }
        if (!found) continue;
        if (hi - lo < a->smallestRange()) {
            // A flat series still gets an axis that can be read.
            const double half = std::max(std::fabs(lo) * 0.05, 1.0);
            lo -= half;
            hi += half;
        }
        a->setRange(lo, hi);
    }
}

void CPlotCtrl::drawChart(QPainter& p, SPlotRect r) {
    r.top += m_title.draw(p, r);

    std::vector<const CPlotSeries*> series;
    series.reserve(m_series.size());
    for (const auto& [id, s] : m_series)
        series.push_back(s.get());
    m_legend.layout(p, series, r);

    applyAutomaticRanges();
    const SPlotRect outer = r;
    for (auto& a : m_axes) {
        if (a) a->takeRoom(r, p);
    }
    // End labels reach past the plot along their axis; a side without an axis (or legend) of
    // its own makes room for them so they are not cut off at the window edge.
    auto shown = [this](int slot) { return m_axes[slot] && m_axes[slot]->isVisible(); };
    int vertical = 0;
    int horizontal = 0;
    for (auto& a : m_axes) {
        if (!a || !a->isVisible()) continue;
        int& side = a->isHorizontal() ? horizontal : vertical;
        side = std::max(side, a->labelOverhang());
    }
    if (!shown(kAxisTop)) r.top = std::max(r.top, outer.top + vertical);
    if (!shown(kAxisBottom)) r.bottom = std::min(r.bottom, outer.bottom - vertical);
    if (!shown(kAxisLeft)) r.left = std::max(r.left, outer.left + horizontal);
    if (!shown(kAxisRight) && m_legend.boxRect().isEmpty()) {
        r.right = std::min(r.right, outer.right - horizontal);
    }
    if (r.right < r.left) r.right = r.left;
    if (r.bottom < r.top) r.bottom = r.top;
    m_plotRect = r;

    for (auto& a : m_axes) {
        if (!a) continue;
        if (a->isHorizontal()) {
            a->setExtent(r.left, r.right);
        } else {
            a->setExtent(r.bottom, r.top);
        }
        a->draw(p, r);
    }

    fillFrame(p, r.left, r.top, r.right, r.bottom, m_borderColor);

    const SPlotRect drawing{r.left, r.top, r.right + 1, r.bottom + 1};
    for (const auto& [id, s] : m_series) {
        s->setDrawingRect(drawing);
        s->draw(p);
    }
    p.save();
    p.setClipRect(toQRect(drawing));
    for (const auto& [id, s] : m_series)
        s->drawSecondLayer(p);
    for (const auto& c : m_cursors)
        c->draw(p, r);
    p.restore();

    m_legend.draw(p);
}

void CPlotCtrl::drawPeakTable(QPainter& p) {
    if (peakTable.empty() || !(showPeak || showFwhm || showCwl)) return;
    const SPlotRect& plot = m_plotRect;
    p.save();
    p.setPen(QPen(kPeakColor, 1));
    p.setBrush(Qt::NoBrush);

    // Markers go on the main series, the first one the view created.
    const auto* main = m_series.empty()
                           ? nullptr
                           : dynamic_cast<const CPlotXYSeries*>(m_series.begin()->second.get());
    if (main && main->horizontalAxis() && main->verticalAxis()) {
        p.setClipRect(QRect(plot.left, plot.top, plot.width() + 1, plot.height() + 1));
        const QFont font =
            plotPixelFont(m_axes[kAxisBottom] ? m_axes[kAxisBottom]->tickFont() : m_legend.font());
        const QFontMetrics fm(font, p.device());
        p.setFont(font);
        const SPlotPixelMap mx = main->horizontalAxis()->pixelMap();
        const SPlotPixelMap my = main->verticalAxis()->pixelMap();
        const auto& points = main->points();
        for (std::size_t i = 0; i < peakTable.size(); ++i) {
            const PeakRecord& peak = peakTable[i];
            // The index comes from another module's search; an index past the series would
            // read outside its points.
            if (peak.index <= 0 || static_cast<std::size_t>(peak.index) >= points.size()) continue;
            const SPlotXYPoint& top = points[peak.index];
            if (!std::isfinite(top.x) || !std::isfinite(top.y)) continue;
            const int x = clampPixel(mx.toPixel(top.x));
            const int y = clampPixel(my.toPixel(top.y));
            const QString label =
                peakMarkerLabel(peak, static_cast<int>(i) + 1, showPeak, showFwhm, showCwl);
            if (!label.isEmpty()) {
                p.drawText(x - fm.horizontalAdvance(label) / 2, y - kPeakLabelLift - fm.descent(),
                           label);
            }
            if (showFwhm && peak.right > peak.left && std::isfinite(peak.halfLevel)) {
                const int yHalf = clampPixel(my.toPixel(peak.halfLevel));
                fillHLine(p, clampPixel(mx.toPixel(peak.left)), clampPixel(mx.toPixel(peak.right)),
                          yHalf, kPeakColor);
            }
        }
        p.setClipping(false);
    }

    const QStringList lines = peakTextLines(peakTextBlock(peakTable, showFwhm, showCwl));
    if (!lines.isEmpty()) {
        // The columns line up only in a fixed-pitch font; take the largest size at which the
        // table fits the block's width. The heading's leading blanks only push "Unit: nm" to
        // the right edge, so it is set flush right instead of deciding the size.
        QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        font.setStyleHint(QFont::Monospace);
        for (int px = kPeakFontLargest; px >= kPeakFontSmallest; --px) {
            font.setPixelSize(px);
            const QFontMetrics fm(font, p.device());
            int width = 0;
            for (qsizetype i = 1; i < lines.size(); ++i) {
                width = std::max(width, fm.horizontalAdvance(lines[i]));
            }
            if (width <= kPeakTextOffsetRight) break;
        }
        const QFontMetrics fm(font, p.device());
        p.setFont(font);
        const int left = plot.right - kPeakTextOffsetRight;
        int y = plot.top + kPeakTextOffsetTop;
        const QString heading = lines.front().trimmed();
        p.drawText(plot.right - kPeakTextRightPad - fm.horizontalAdvance(heading), y + fm.ascent(),
                   heading);
        y += fm.lineSpacing();
        for (qsizetype i = 1; i < lines.size(); ++i) {
            p.drawText(left, y + fm.ascent(), lines[i]);
            y += fm.lineSpacing();
        }
    }
    p.restore();
}

void CPlotCtrl::paintEvent(QPaintEvent* event) {
    const qreal ratio = devicePixelRatioF();
    if (m_buffer.size() != size() * ratio && m_redrawCounter >= 1) redraw();
    QPainter p(this);
    if (m_buffer.isNull()) {
        p.fillRect(event->rect(), m_background);
        return;
    }
    p.drawImage(event->rect(), m_buffer,
                QRectF(event->rect().topLeft() * ratio, event->rect().size() * ratio));
    if (m_drag == EDrag::ZoomRect) {
        // The rubber band inverts what is under it, so it shows on any background.
        p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        p.setPen(QPen(Qt::white, 1, Qt::DotLine));
        p.drawRect(QRect(m_dragStart, m_dragCurrent).normalized());
    }
}

void CPlotCtrl::resizeEvent(QResizeEvent*) {
    redraw();
}

bool CPlotCtrl::isOnPlot(const QPoint& pos) const {
    return pos.x() >= m_plotRect.left && pos.x() <= m_plotRect.right && pos.y() >= m_plotRect.top &&
           pos.y() <= m_plotRect.bottom && !m_plotRect.isEmpty();
}

CPlotCtrl::SLayoutSnapshot CPlotCtrl::saveLayout() const {
    SLayoutSnapshot s;
    s.plot = m_plotRect;
    for (int i = 0; i < kAxisSlotCount; ++i) {
        if (m_axes[i]) s.axes[i] = m_axes[i]->layoutState();
    }
    s.legend = m_legend.layoutState();
    return s;
}

void CPlotCtrl::restoreLayout(const SLayoutSnapshot& s) {
    m_plotRect = s.plot;
    for (int i = 0; i < kAxisSlotCount; ++i) {
        if (m_axes[i] && s.axes[i]) m_axes[i]->restoreLayoutState(*s.axes[i]);
    }
    m_legend.restoreLayoutState(s.legend);
    for (CPlotDragLineCursor* c : dragLineCursors())
        c->updatePosition();
}

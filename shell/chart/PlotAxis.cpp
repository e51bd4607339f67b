#include "shell/chart/PlotAxis.h"

#include <QFontMetrics>
#include <QLine>
#include <QPainter>
#include <QtMath>
#include <algorithm>
#include <cmath>

#include "shell/chart/PlotPaint.h"

namespace {
constexpr int kTickOffset = 1;  // tick marks start this far off the axis line
constexpr int kTickLength = 3;
constexpr int kLabelGap = 5;    // tick labels start this far off the axis line
constexpr int kCaptionGap = 2;  // between tick labels and caption
constexpr int kGridDash = 3;
constexpr int kGridPeriod = 6;
}  // namespace

const QImage& CPlotGrid::dashedLine(bool vertical, int length) const {
    const QSize size = vertical ? QSize(1, length) : QSize(length, 1);
    if (m_dashes.size() == size && m_dashesVertical == vertical &&
        m_dashesColor == m_color.rgba()) {
        return m_dashes;
    }
    m_dashes = QImage(size, QImage::Format_ARGB32_Premultiplied);
    m_dashes.fill(Qt::transparent);
    const QRgb on = qPremultiply(m_color.rgba());
    // The same dashes as drawSegments: vertical lines start at their bottom end.
    for (int start = 0; start < length - 1; start += kGridPeriod) {
        for (int k = 0; k < kGridDash && start + k < length; ++k) {
            if (vertical) {
                m_dashes.setPixel(0, length - 1 - start - k, on);
            } else {
                m_dashes.setPixel(start + k, 0, on);
            }
        }
    }
    m_dashesVertical = vertical;
    m_dashesColor = m_color.rgba();
    return m_dashes;
}

void CPlotGrid::drawSegments(QPainter& p, const CPlotAxis& axis, const SPlotRect& plot) const {
    std::vector<QLine> dashes;
    if (axis.isHorizontal()) {
        // Vertical lines, dashed from the bottom of the plotting rectangle upwards.
        for (int x : axis.tickPixels()) {
            for (int y = plot.bottom; y > plot.top; y -= kGridPeriod) {
                dashes.emplace_back(x, y, x, std::max(plot.top, y - (kGridDash - 1)));
            }
        }
    } else {
        for (int y : axis.tickPixels()) {
            for (int x = plot.left; x < plot.right; x += kGridPeriod) {
                dashes.emplace_back(x, y, std::min(plot.right, x + (kGridDash - 1)), y);
            }
        }
    }
    p.save();
    p.setClipRect(QRect(plot.left, plot.top, plot.width() + 1, plot.height() + 1));
    p.setPen(QPen(m_color, 1));
    p.drawLines(dashes.data(), static_cast<int>(dashes.size()));
    p.restore();
}

void CPlotGrid::draw(QPainter& p, const CPlotAxis& axis, const SPlotRect& plot) const {
    if (!m_visible || axis.tickPixels().empty() || plot.isEmpty()) return;
    // On paper (a scaled page) the dashes stay vector lines; on screen pixels are pixels.
    if (p.deviceTransform().type() > QTransform::TxTranslate) {
        drawSegments(p, axis, plot);
        return;
    }
    const bool vertical = axis.isHorizontal();
    const QImage& line = dashedLine(vertical, vertical ? plot.height() + 1 : plot.width() + 1);
    for (int at : axis.tickPixels()) {
        if (vertical) {
            p.drawImage(at, plot.top, line);
        } else {
            p.drawImage(plot.left, at, line);
        }
    }
}

CPlotAxisLabel::CPlotAxisLabel() : m_font(QStringLiteral("Microsoft Sans Serif"), 10) {
    m_font.setStyleHint(QFont::SansSerif);
}

CPlotAxis::CPlotAxis(int slot)
    : m_slot(std::clamp(slot, 0, kAxisSlotCount - 1)),
      m_tickFont(QStringLiteral("Microsoft Sans Serif"), 10) {
    m_tickFont.setStyleHint(QFont::SansSerif);
}

CPlotAxis::~CPlotAxis() = default;

void CPlotAxis::setRange(double min, double max) {
    setShownRange(min, max);
    setHomeRange(min, max);
}

void CPlotAxis::setShownRange(double min, double max) {
    m_rangeMin = min;
    m_rangeMax = max;
}

void CPlotAxis::setHomeRange(double min, double max) {
    m_homeMin = min;
    m_homeMax = max;
}

void CPlotAxis::restoreHomeRange() {
    setShownRange(m_homeMin, m_homeMax);
}

bool CPlotAxis::contains(double value) const {
    return value >= std::min(m_rangeMin, m_rangeMax) && value <= std::max(m_rangeMin, m_rangeMax);
}

void CPlotAxis::setTickIncrement(double increment, int decimals) {
    m_automaticTicks = false;
    m_tick.increment = std::fabs(increment);
    m_tick.decimals = std::max(0, decimals);
}

void CPlotAxis::setExtent(int startPixel, int endPixel) {
    m_startPixel = startPixel;
    m_endPixel = endPixel;
}

SPlotPixelMap CPlotAxis::pixelMap() const {
    SPlotPixelMap map;
    const double span = m_rangeMax - m_rangeMin;
    const double from = m_inverted ? m_endPixel : m_startPixel;
    const double to = m_inverted ? m_startPixel : m_endPixel;
    if (span == 0.0 || !std::isfinite(span)) {
        map.offset = from;
        return map;
    }
    map.scale = (to - from) / span;
    map.offset = from - m_rangeMin * map.scale;
    return map;
}

int CPlotAxis::valueToPixel(double value) const {
    return clampPixel(valueToPixelF(value));
}

double CPlotAxis::pixelToValue(double pixel) const {
    const SPlotPixelMap map = pixelMap();
    if (map.scale == 0.0) return m_rangeMin;
    return (pixel - map.offset) / map.scale;
}

void CPlotAxis::restoreLayoutState(const SLayoutState& s) {
    m_startPixel = s.startPixel;
    m_endPixel = s.endPixel;
    m_tickPixels = s.tickPixels;
    m_strip = s.strip;
}

CPlotStandardAxis::CPlotStandardAxis(int slot) : CPlotAxis(slot) {}

void CPlotStandardAxis::computeTicks(int lengthPx) {
    const double lo = std::min(m_rangeMin, m_rangeMax);
    const double hi = std::max(m_rangeMin, m_rangeMax);
    if (m_automaticTicks) m_tick = computeTickStep(lo, hi, lengthPx);
    m_firstTick = firstTick(lo, m_tick.increment);
    m_tickValues = tickValues(m_firstTick, hi, m_tick.increment);
    m_tickLabels.clear();
    m_tickLabels.reserve(m_tickValues.size());
    for (double v : m_tickValues)
        m_tickLabels.push_back(tickLabel(v, m_tick.decimals));
}

const QStaticText& CPlotStandardAxis::staticLabel(const QString& text, const QFont& font) {
    constexpr qsizetype kLabelCacheLimit = 512;  // zooming keeps making new labels
    if (font != m_labelCacheFont || m_labelCache.size() > kLabelCacheLimit) {
        m_labelCache.clear();
        m_labelCacheFont = font;
    }
    auto it = m_labelCache.find(text);
    if (it == m_labelCache.end()) {
        QStaticText st(text);
        st.setTextFormat(Qt::PlainText);
        st.setPerformanceHint(QStaticText::AggressiveCaching);
        st.prepare(QTransform(), font);
        it = m_labelCache.insert(text, st);
    }
    return *it;
}

void CPlotStandardAxis::takeRoom(SPlotRect& r, QPainter& p) {
    computeTicks(isHorizontal() ? r.width() : r.height());
    m_strip = {};
    m_overhang = 0;
    if (!m_visible) return;

    const QFont font = plotPixelFont(m_tickFont);
    const QFontMetrics fm(font, p.device());
    m_labelHeight = fm.height();
    m_labelWidth = 0;
    for (const QString& s : m_tickLabels) {
        m_labelWidth = std::max(m_labelWidth, qCeil(staticLabel(s, font).size().width()));
    }
    m_captionHeight = 0;
    if (m_label.isShown()) {
        const QFontMetrics fc(plotPixelFont(m_label.font()), p.device());
        m_captionHeight = fc.height() + kCaptionGap;
    }

    if (isHorizontal()) {
        const int h = kLabelGap + m_labelHeight + m_captionHeight + m_margin;
        m_overhang = (m_labelWidth + 1) / 2;
        if (m_slot == kAxisBottom) {
            m_strip = {r.left, r.bottom - h, r.right, r.bottom};
            r.bottom -= h;
        } else {
            m_strip = {r.left, r.top, r.right, r.top + h};
            r.top += h;
        }
    } else {
        const int w = m_margin + m_captionHeight + m_labelWidth + kLabelGap;
        m_overhang = (m_labelHeight + 1) / 2;
        if (m_slot == kAxisLeft) {
            m_strip = {r.left, r.top, r.left + w, r.bottom};
            r.left += w;
        } else {
            m_strip = {r.right - w, r.top, r.right, r.bottom};
            r.right -= w;
        }
    }
}

void CPlotStandardAxis::draw(QPainter& p, const SPlotRect& plot) {
    m_tickPixels.clear();
    if (!m_visible) return;

    // The strip the mouse acts on is the room beside the plotting rectangle, along its length.
    switch (m_slot) {
        case kAxisLeft:
            m_strip = {m_strip.left, plot.top, plot.left, plot.bottom + 1};
            break;
        case kAxisRight:
            m_strip = {plot.right + 1, plot.top, m_strip.right, plot.bottom + 1};
            break;
        case kAxisBottom:
            m_strip = {plot.left, plot.bottom + 1, plot.right + 1, m_strip.bottom};
            break;
        default:
            m_strip = {plot.left, m_strip.top, plot.right + 1, plot.top};
            break;
    }

    const QFont font = plotPixelFont(m_tickFont);
    const QFontMetrics fm(font, p.device());
    p.setFont(font);
    p.setPen(QPen(m_color, 1));

    int line = 0;  // the axis line's column or row
    switch (m_slot) {
        case kAxisLeft:
            line = plot.left;
            break;
        case kAxisRight:
            line = plot.right;
            break;
        case kAxisBottom:
            line = plot.bottom;
            break;
        default:
            line = plot.top;
            break;
    }
    if (isHorizontal()) {
        fillHLine(p, plot.left, plot.right, line, m_color);
    } else {
        fillVLine(p, line, plot.top, plot.bottom, m_color);
    }
    // Tick marks and labels go on the side away from the plotting rectangle.
    const int outward = (m_slot == kAxisLeft || m_slot == kAxisTop) ? -1 : 1;
    const int lo = std::min(m_startPixel, m_endPixel);
    const int hi = std::max(m_startPixel, m_endPixel);

    for (std::size_t i = 0; i < m_tickValues.size(); ++i) {
        const int px = valueToPixel(m_tickValues[i]);
        if (px < lo || px > hi) continue;
        m_tickPixels.push_back(px);
        const int a = line + outward * kTickOffset;
        const int b = line + outward * (kTickOffset + kTickLength - 1);
        const QStaticText& text = staticLabel(m_tickLabels[i], font);
        const int width = qCeil(text.size().width());
        if (isHorizontal()) {
            fillVLine(p, px, a, b, m_color);
            const int top = outward > 0 ? line + kLabelGap : line - kLabelGap - m_labelHeight;
            p.drawStaticText(px - width / 2, top, text);
        } else {
            fillHLine(p, a, b, px, m_color);
            const int left = outward > 0 ? line + kLabelGap : line - kLabelGap - width;
            p.drawStaticText(left, px - m_labelHeight / 2, text);
        }
    }

    if (m_label.isShown()) {
        const QFont captionFont = plotPixelFont(m_label.font());
        const QFontMetrics fc(captionFont, p.device());
        p.setFont(captionFont);
        p.setPen(m_label.color());
        const QString& caption = m_label.text();
        const int width = fc.horizontalAdvance(caption);
        if (isHorizontal()) {
            const int cx = (plot.left + plot.right) / 2;
            const int top = outward > 0
                                ? line + kLabelGap + m_labelHeight + kCaptionGap
                                : line - kLabelGap - m_labelHeight - kCaptionGap - fc.height();
            p.drawText(cx - width / 2, top + fc.ascent(), caption);
        } else {
            // Vertical captions read bottom to top on the left, top to bottom on the right.
            const int cy = (plot.top + plot.bottom) / 2;
            const int band = outward > 0
                                 ? line + kLabelGap + m_labelWidth + kCaptionGap
                                 : line - kLabelGap - m_labelWidth - kCaptionGap - fc.height();
            p.save();
            if (outward < 0) {
                p.translate(band, cy);
                p.rotate(-90);
                p.drawText(-width / 2, fc.ascent(), caption);
            } else {
                p.translate(band + fc.height(), cy);
                p.rotate(90);
                p.drawText(-width / 2, fc.ascent(), caption);
            }
            p.restore();
        }
    }
    m_grid.draw(p, *this, plot);
}

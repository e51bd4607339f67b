#include "shell/chart/PlotLegend.h"

#include <QFontMetrics>
#include <QPainter>

#include "shell/chart/PlotPaint.h"
#include "shell/chart/PlotSeries.h"

CPlotLegend::CPlotLegend() : m_font(QStringLiteral("Times New Roman"), 10) {
    m_font.setStyleHint(QFont::Serif);
}

void CPlotLegend::layout(QPainter& p, const std::vector<const CPlotSeries*>& series,
                         SPlotRect& chart) {
    std::vector<SPlotLegendItem> items;
    items.reserve(series.size());
    for (const CPlotSeries* s : series)
        items.push_back({s->isVisible(), s->name()});
    const QFontMetrics fm(plotPixelFont(m_font), p.device());
    const SPlotSize text{fm.horizontalAdvance(QString::fromLatin1(kLegendSizingText)), fm.height()};
    m_layout = layoutLegend(m_visible, items, chart, text);
    m_entrySeries.clear();
    for (const SPlotLegendEntry& e : m_layout.entries)
        m_entrySeries.push_back(series[e.item]);
    chart.right = m_layout.plotRight;
}

void CPlotLegend::draw(QPainter& p) const {
    const SPlotRect& box = m_layout.box;
    if (box.isEmpty()) return;
    p.save();
    if (m_shadow) {
        p.fillRect(
            QRect(box.left + m_shadowDepth, box.top + m_shadowDepth, box.width(), box.height()),
            m_shadowColor);
    }
    p.fillRect(toQRect(box), m_background);
    fillFrame(p, box.left, box.top, box.right - 1, box.bottom - 1, Qt::black);

    const QFont font = plotPixelFont(m_font);
    const QFontMetrics fm(font, p.device());
    for (std::size_t i = 0; i < m_layout.entries.size(); ++i) {
        const SPlotLegendEntry& e = m_layout.entries[i];
        m_entrySeries[i]->drawLegendSymbol(p, e.symbol);
        p.setFont(font);
        p.setPen(m_textColor);
        p.drawText(e.textLeft, e.textTop + fm.ascent(), e.text);
    }
    p.restore();
}

SPlotLegendHit CPlotLegend::entryAt(int x, int y) const {
    if (!m_visible) return {};
    return legendEntryAt(m_layout.box, m_layout.record, x, y);
}

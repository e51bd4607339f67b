#include "shell/chart/PlotTitle.h"

#include <QFontMetrics>
#include <QPainter>

#include "shell/chart/PlotPaint.h"

namespace {
constexpr int kTitlePadding = 3;  // above the first and below the last line
}

CPlotTitle::CPlotTitle() : m_font(QStringLiteral("Arial"), 12) {
    m_font.setStyleHint(QFont::SansSerif);
}

int CPlotTitle::draw(QPainter& p, const SPlotRect& r) const {
    bool any = false;
    for (const QString& s : m_strings)
        any = any || !s.isEmpty();
    if (!m_visible || !any) return 0;
    const QFont font = plotPixelFont(m_font);
    const QFontMetrics fm(font, p.device());
    p.save();
    p.setFont(font);
    p.setPen(m_color);
    int y = r.top + kTitlePadding;
    for (const QString& s : m_strings) {
        const int width = fm.horizontalAdvance(s);
        p.drawText((r.left + r.right) / 2 - width / 2, y + fm.ascent(), s);
        y += fm.height();
    }
    p.restore();
    return y + kTitlePadding - r.top;
}

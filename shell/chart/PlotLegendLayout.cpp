#include "shell/chart/PlotLegendLayout.h"

#include <QList>
#include <algorithm>

std::vector<int> legendEntryItems(const std::vector<SPlotLegendItem>& items) {
    std::vector<int> entries;
    for (int i = 0; i < static_cast<int>(items.size()); ++i) {
        if (items[i].visible && !items[i].name.isEmpty()) entries.push_back(i);
    }
    return entries;
}

SPlotSize legendBoxSize(int count, SPlotSize textSize) {
    if (count <= 0) return {};
    const int row = std::max(textSize.height, kLegendSymbolSize) + kLegendEntryGap;
    return {kLegendSymbolSize + textSize.width + 12, count * row + 6};
}

SPlotRect legendBoxRect(const SPlotRect& chart, SPlotSize box) {
    SPlotRect r;
    r.left = chart.right - box.width - kLegendRightDock;
    r.top = chart.height() / 2 - (box.height + 2) / 2;
    r.right = r.left + box.width;
    r.bottom = r.top + box.height;
    return r;
}

QString legendText(const QString& seriesName) {
    // Imported files are named by their path; "/" is accepted beside "\" on this platform.
    QString text = seriesName;
    const qsizetype slash = std::max(text.lastIndexOf(u'\\'), text.lastIndexOf(u'/'));
    if (slash >= 0) text = text.mid(slash + 1);
    const qsizetype dot = text.lastIndexOf(u'.');
    if (dot >= 0) text.truncate(dot);
    // Count characters, not UTF-16 units, so a name is never cut inside a surrogate pair.
    const QList<uint> chars = text.toUcs4();
    if (chars.size() > kLegendMaxTextLength) {
        const QList<uint> head = chars.mid(0, kLegendKeptEnds);
        const QList<uint> tail = chars.mid(chars.size() - kLegendKeptEnds);
        text = QString::fromUcs4(reinterpret_cast<const char32_t*>(head.constData()), head.size()) +
               QStringLiteral(" ... ") +
               QString::fromUcs4(reinterpret_cast<const char32_t*>(tail.constData()), tail.size());
    }
    return text;
}

SPlotLegendLayout layoutLegend(bool shown, const std::vector<SPlotLegendItem>& items,
                               const SPlotRect& chart, SPlotSize textSize) {
    SPlotLegendLayout layout;
    layout.plotRight = chart.right;
    if (!shown) return layout;
    const std::vector<int> entryItems = legendEntryItems(items);
    if (entryItems.empty()) return layout;

    const SPlotSize size = legendBoxSize(static_cast<int>(entryItems.size()), textSize);
    layout.box = legendBoxRect(chart, size);
    layout.plotRight = layout.box.left + kLegendPlotOverlap;

    const int symbolLeft = layout.box.left + kLegendLeftInset;
    int y = layout.box.top + kLegendTopInset;
    for (int item : entryItems) {
        SPlotLegendEntry e;
        e.item = item;
        e.recordTop = y;
        int symbolTop = y;
        int textTop = y;
        if (textSize.height > kLegendSymbolSize) {
            symbolTop = y + (textSize.height - kLegendSymbolSize) / 2;
        } else {
            textTop = y + (kLegendSymbolSize - textSize.height) / 2;
        }
        e.symbol = {symbolLeft, symbolTop, symbolLeft + kLegendSymbolSize,
                    symbolTop + kLegendSymbolSize};
        e.textLeft = e.symbol.right + kLegendTextGap;
        e.textTop = textTop;
        e.text = legendText(items[item].name);

        SPlotLegendHitRecord& rec = layout.record;
        if (rec.count < SPlotLegendHitRecord::kCapacity) {
            rec.top[rec.count] = y;
            rec.name[rec.count] = items[item].name;
            ++rec.count;
        } else if (rec.unrecordedTop == INT_MAX) {
            rec.unrecordedTop = y;
        }
        layout.entries.push_back(std::move(e));
        y += std::max(textSize.height, kLegendSymbolSize) + kLegendEntryGap;
    }
    return layout;
}

SPlotLegendHit legendEntryAt(const SPlotRect& box, const SPlotLegendHitRecord& record, int x,
                             int y) {
    SPlotLegendHit hit;
    const int count = std::clamp(record.count, 0, SPlotLegendHitRecord::kCapacity);
    if (count == 0 || !box.contains(x, y)) return hit;
    // Entries past the record are not known by name; no tooltip beats a wrong one.
    if (y >= record.unrecordedTop) return hit;
    hit.index = count - 1;
    for (int i = 0; i + 1 < count; ++i) {
        if (y >= record.top[i] && y < record.top[i + 1]) {
            hit.index = i;
            break;
        }
    }
    hit.name = record.name[hit.index];
    return hit;
}

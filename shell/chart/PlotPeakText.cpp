#include "shell/chart/PlotPeakText.h"

#include <cstdio>

#include "resources/ChartStrings.h"
#include "resources/StringTable.h"

namespace {
QString format(const char* fmt, auto... args) {
    char buffer[256];
    std::snprintf(buffer, sizeof buffer, fmt, args...);
    return QString::fromUtf8(buffer);
}
}  // namespace

bool peakTextShown(const std::vector<PeakRecord>& table, int showFwhm, int showCwl) {
    return !table.empty() && table.front().index != 0 && (showFwhm || showCwl);
}

QString peakTextBlock(const std::vector<PeakRecord>& table, int showFwhm, int showCwl) {
    if (!peakTextShown(table, showFwhm, showCwl)) return {};
    const char* unit = loadString(ChartStr::kUnit);
    const char* peak = loadString(ChartStr::kPeak);
    const char* fwhm = loadString(ChartStr::kFwhm);
    const char* cwl = loadString(ChartStr::kCwl);

    QString text = format("                                   %s: nm\r\n\r\n", unit);
    if (showFwhm && showCwl) {
        text += format("ID   %s          %s     %s\r\n", peak, fwhm, cwl);
        text += QStringLiteral("============================\r\n");
    } else {
        text += format("ID   %s          %s\r\n", peak, showFwhm ? fwhm : cwl);
        text += QStringLiteral("==========================\r\n");
    }
    int n = 1;
    for (const PeakRecord& p : table) {
        if (p.index == 0) break;
        if (showFwhm && showCwl) {
            text += format("%-5d %-6.2f  %12.2f  %12.2f\r\n", n, p.peakX, p.fwhm, p.cwl);
        } else {
            text += format("%-5d %-6.2f  %12.2f\r\n", n, p.peakX, showFwhm ? p.fwhm : p.cwl);
        }
        ++n;
    }
    return text;
}

QStringList peakTextLines(const QString& block) {
    QStringList lines = block.split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.back().isEmpty()) lines.removeLast();
    return lines;
}

QString peakMarkerLabel(const PeakRecord& peak, int number, int showPeak, int showFwhm,
                        int showCwl) {
    if (peak.index == 0) return {};
    if (showFwhm || showCwl) return QString::number(number);
    if (showPeak) return format("%.2f", peak.peakX);
    return {};
}

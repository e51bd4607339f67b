// Printing: a page with the document title, the chart and the notes, in a 96 dpi logical
// page mapped onto the printer's page.

#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <optional>

#include "shell/chart/PlotCtrl.h"
#include "shell/chart/PlotPaint.h"
#include "shell/chart/PlotPrintLayout.h"

namespace {
constexpr double kLogicalDpi = 96.0;

bool askWithPrintDialog(QPrinter& printer, QWidget* parent) {
    QPrintDialog dialog(&printer, parent);
    dialog.setMinMax(1, 1);  // the chart is one page
    return dialog.exec() == QDialog::Accepted;
}

CPlotCtrl::PrintDialogHandler& printDialogHandler() {
    static CPlotCtrl::PrintDialogHandler handler = askWithPrintDialog;
    return handler;
}

/// Colours that are switched to black for paper and switched back afterwards.
struct SScreenColours {
    QColor border;
    std::array<QColor, kAxisSlotCount> axis;
    std::array<QColor, kAxisSlotCount> label;
    QColor title;
    QColor legendText;
};
}  // namespace

CPlotCtrl::PrintDialogHandler CPlotCtrl::setPrintDialogHandler(PrintDialogHandler handler) {
    PrintDialogHandler previous = std::move(printDialogHandler());
    printDialogHandler() = handler ? std::move(handler) : askWithPrintDialog;
    return previous;
}

int CPlotCtrl::printChart(const QString& title, QPrinter* printer) {
    std::optional<QPrinter> chosen;
    if (!printer) {
        chosen.emplace(QPrinter::HighResolution);
        if (!printDialogHandler()(*chosen, this)) return 0;
        printer = &*chosen;
    }
    printer->setDocName(title);
    m_printTitle = title;

    QPainter p;
    if (!p.begin(printer)) return 0;
    int first = printer->fromPage();
    int last = printer->toPage();
    if (first < 1) first = 1;
    if (last < first) last = first;

    // Printing lays the chart out on paper; the screen layout (plot rectangle, axis extents,
    // legend hit record) is what the mouse and the tooltip work on, so it is put back after.
    const SLayoutSnapshot screen = saveLayout();
    bool ok = true;
    for (int page = first; page <= last; ++page) {
        if (page > first && !printer->newPage()) {
            ok = false;
            break;
        }
        printPage(p, *printer);
    }
    restoreLayout(screen);
    if (!ok) printer->abort();
    p.end();
    return ok && printer->printerState() != QPrinter::Error ? 1 : 0;
}

void CPlotCtrl::printPage(QPainter& p, QPrinter& printer) {
    const int devWidth = printer.width();
    const int devHeight = printer.height();
    const double scale = printer.resolution() / kLogicalDpi;
    const int width = std::max(1, static_cast<int>(devWidth / scale));
    const int height = std::max(1, static_cast<int>(devHeight / scale));
    m_printDeviceSize = QSize(devWidth, devHeight);
    m_printLogicalSize = QSize(width, height);

    p.save();
    p.setViewport(0, 0, devWidth, devHeight);
    p.setWindow(0, 0, width, height);

    // On white paper the screen's light foreground would vanish.
    SScreenColours saved;
    saved.border = m_borderColor;
    saved.title = m_title.color();
    saved.legendText = m_legend.textColor();
    m_borderColor = Qt::black;
    m_title.setColor(Qt::black);
    m_legend.setTextColor(Qt::black);
    for (int i = 0; i < kAxisSlotCount; ++i) {
        if (!m_axes[i]) continue;
        saved.axis[i] = m_axes[i]->color();
        saved.label[i] = m_axes[i]->label().color();
        m_axes[i]->setColor(Qt::black);
        m_axes[i]->label().setColor(Qt::black);
    }

    const SPlotPrintLayout page = printPageLayout(width, height, !m_printNotes.isEmpty());
    p.setPen(Qt::black);
    p.setFont(plotPixelFont(m_printTitleFont));
    p.drawText(toQRect(page.titleBand), Qt::AlignCenter, m_printTitle);
    if (!page.notesBand.isEmpty()) {
        p.setFont(plotPixelFont(m_printNotesFont));
        p.drawText(toQRect(page.notesBand), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                   m_printNotes);
    }
    drawChart(p, page.chart);
    drawPeakTable(p);

    m_borderColor = saved.border;
    m_title.setColor(saved.title);
    m_legend.setTextColor(saved.legendText);
    for (int i = 0; i < kAxisSlotCount; ++i) {
        if (!m_axes[i]) continue;
        m_axes[i]->setColor(saved.axis[i]);
        m_axes[i]->label().setColor(saved.label[i]);
    }
    p.restore();
}

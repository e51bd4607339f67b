// Printing to PDF files: the page carries the title, the chart and the notes; the screen's
// colours and layout come back afterwards; a cancelled dialog or a failed device prints nothing.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "ChartTestSupport.h"
#include "shell/chart/PlotCtrl.h"

namespace {

class ChartPrint : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { ensureChartTestApp(); }
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        setUpChart(chart, 500, 300, 200, 1100, 0, 5000);
        chart.setBackgroundColor(Qt::black);
        for (int slot : {kAxisBottom, kAxisLeft}) {
            chart.axis(slot)->setColor(Qt::white);
            chart.axis(slot)->label().setColor(Qt::white);
        }
        chart.axis(kAxisBottom)->label().setText("Wavelength(nm)");
        chart.setBorderColor(Qt::white);
        CPlotLineSeries* s = chart.createLineSeries();
        s->setName("Spectrum View");
        s->setPoints({{200, 100}, {650, 4000}, {1100, 300}});
        chart.redraw();
    }

    void pdfPrinter(QPrinter& printer, const QString& file) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
    }

    QTemporaryDir dir;
    CPlotCtrl chart;
};

/// The text of a PDF file as poppler's pdftotext reads it.
QString pdfText(const QString& file) {
    const QString tool = QStandardPaths::findExecutable("pdftotext");
    if (tool.isEmpty()) {
        ADD_FAILURE() << "pdftotext (Debian package poppler-utils) is needed to read the PDF";
        return {};
    }
    QProcess p;
    p.start(tool, {"-layout", file, "-"});
    if (!p.waitForFinished(30000)) return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

TEST_F(ChartPrint, PdfPageCarriesTitleAndChart) {
    const QString file = dir.filePath("chart.pdf");
    QPrinter printer(QPrinter::HighResolution);
    pdfPrinter(printer, file);
    const SPlotRect screenPlot = chart.plotRect();
    const SPlotRect screenStrip = chart.axis(kAxisLeft)->strip();

    ASSERT_EQ(chart.printChart("Corvane print check 42", &printer), 1);
    EXPECT_EQ(chart.printTitle(), "Corvane print check 42");
    QFile pdf(file);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(5) == "%PDF-");
    const QString text = pdfText(file);
    EXPECT_TRUE(text.contains("Corvane print check 42")) << text.toStdString();
    EXPECT_TRUE(text.contains("Wavelength(nm)")) << text.toStdString();
    EXPECT_TRUE(text.contains("1000")) << text.toStdString();  // a tick label

    // The page was laid out in 96 dpi units on the printer's page.
    EXPECT_EQ(chart.printDeviceSize(), QSize(printer.width(), printer.height()));
    EXPECT_NEAR(chart.printLogicalSize().width(), printer.width() * 96.0 / printer.resolution(), 1);

    // Black for paper only; the screen keeps its colours and its mouse layout.
    EXPECT_EQ(chart.axis(kAxisBottom)->color(), QColor(Qt::white));
    EXPECT_EQ(chart.axis(kAxisBottom)->label().color(), QColor(Qt::white));
    EXPECT_EQ(chart.borderColor(), QColor(Qt::white));
    EXPECT_EQ(chart.plotRect(), screenPlot);
    EXPECT_EQ(chart.axis(kAxisLeft)->strip(), screenStrip);
}

TEST_F(ChartPrint, NotesArePrintedBelowTheChart) {
    const QString file = dir.filePath("notes.pdf");
    QPrinter printer(QPrinter::HighResolution);
    pdfPrinter(printer, file);
    chart.setPrintNotes("Sample 7, lamp warmed up for ten minutes");
    ASSERT_EQ(chart.printChart("With notes", &printer), 1);
    const QString text = pdfText(file);
    EXPECT_TRUE(text.contains("With notes"));
    EXPECT_TRUE(text.contains("lamp warmed up")) << text.toStdString();
    EXPECT_GT(text.indexOf("lamp warmed up"), text.indexOf("Wavelength(nm)"));
}

TEST_F(ChartPrint, DialogAnswerDecides) {
    const QString file = dir.filePath("dialog.pdf");
    auto previous = CPlotCtrl::setPrintDialogHandler([](QPrinter&, QWidget*) { return false; });
    EXPECT_EQ(chart.printChart("Cancelled"), 0);

    CPlotCtrl::setPrintDialogHandler([&](QPrinter& printer, QWidget*) {
        pdfPrinter(printer, file);
        return true;
    });
    EXPECT_EQ(chart.printChart("Chosen printer"), 1);
    EXPECT_TRUE(pdfText(file).contains("Chosen printer"));
    CPlotCtrl::setPrintDialogHandler(previous);
}

TEST_F(ChartPrint, UnwritableOutputIsAFailure) {
    QPrinter printer(QPrinter::HighResolution);
    pdfPrinter(printer, dir.filePath("no/such/folder/chart.pdf"));
    EXPECT_EQ(chart.printChart("Nowhere", &printer), 0);
    EXPECT_FALSE(QFile::exists(dir.filePath("no/such/folder/chart.pdf")));
}

TEST_F(ChartPrint, PageRangePrintsEachPage) {
    const QString file = dir.filePath("pages.pdf");
    QPrinter printer(QPrinter::HighResolution);
    pdfPrinter(printer, file);
    printer.setFromTo(1, 3);
    ASSERT_EQ(chart.printChart("Three pages", &printer), 1);
    EXPECT_EQ(pdfText(file).count("Three pages"), 3);
}

}  // namespace

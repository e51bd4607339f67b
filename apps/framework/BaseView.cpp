#include "apps/framework/BaseView.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QPainter>
#include <QScreen>
#include <QWheelEvent>
#include <algorithm>
#include <cstdio>

#include "apps/framework/CordinateSet.h"
#include "apps/framework/InstanceRegister.h"
#include "apps/framework/MyList.h"
#include "core/Messages.h"
#include "core/NumberParse.h"
#include "core/SpectrumData.h"
#include "device/AcquisitionSettings.h"
#include "device/SpectrometerDevice.h"
#include "files/AppPaths.h"
#include "files/DataFile.h"
#include "files/ExportNaming.h"
#include "files/Settings.h"
#include "resources/CommandIds.h"
#include "resources/FilesStrings.h"
#include "resources/StringTable.h"
#include "shell/app/TabGroupArea.h"

namespace {
constexpr int kCursorEditLeftGap = 8;
constexpr int kReadoutStep = 65;
constexpr int kTableBaseWidth = 180;
constexpr double kCursorStart = 100.0;
const QColor kCursorColour(0, 100, 100);
const QColor kAxisGridColour(25, 30, 40);
constexpr const char* kWideModel = "Qelta RX52-2400-08 7731";
constexpr double kWideModelTop = 1100.0;
const QColor kSeriesColours[] = {QColor(255, 0, 0),   QColor(0, 0, 255),   QColor(0, 160, 0),
                                 QColor(200, 0, 200), QColor(230, 130, 0), QColor(0, 160, 160),
                                 QColor(120, 60, 0),  QColor(90, 90, 90)};

QString tr8(int id) {
    return QString::fromUtf8(loadString(id));
}
}  // namespace

/// The cursor box's spin: arrows only; each step is told as the platform's spin delta (up is
/// -1), which the views subtract from the pixel.
class CCursorSpin : public QAbstractSpinBox {
  public:
    explicit CCursorSpin(QWidget* parent) : QAbstractSpinBox(parent) {
        setWrapping(true);
        setButtonSymbols(QAbstractSpinBox::UpDownArrows);
        setFocusPolicy(Qt::StrongFocus);
    }
    std::function<void(int)> onDelta;
    void stepBy(int steps) override {
        if (onDelta) onDelta(-steps);
    }

  protected:
    StepEnabled stepEnabled() const override { return StepUpEnabled | StepDownEnabled; }
};

CBaseView::CBaseView(IViewContext& context, const ViewKind& kind, QWidget* parent)
    : QWidget(parent), context_(context), register_(context.instances()) {
    appType = kind.appType;
    dataType = kind.dataType;
    listDecimals = kind.listDecimals;
    listValueFormat = listFormatFor(listDecimals);
    readoutFormat = readoutFormatFor(listDecimals);
    viewTitle = tr8(kind.titleStringId);
    for (int u = 0; u < kXUnitCount; ++u)
        unitTitles[u] = tr8(xUnitTitleId(u));
    instanceNumber = register_->lastNumber(appType);
    viewName =
        QString::fromStdString(instanceViewName(loadString(kind.nameStringId), instanceNumber));
    columnTitles = {QStringLiteral("#"), unitTitles[xUnit], tr8(kind.valueStringId)};
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        cursorBoxHeight = static_cast<int>(screen->geometry().height() * 0.020370370370370372);
    table_ = new CMyLIST(this);
    table_->setObjectName(QString::number(kSideTableId));
    table_->hide();
    setWindowTitle(viewName);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

CBaseView::~CBaseView() {
    timer_.stop();
    register_->release(appType, instanceNumber);
}

void CBaseView::onCreate() {
    record = &context_.record();
    edit_ = new QLineEdit(this);
    edit_->setObjectName(QString::number(kCursorEditId));
    spin_ = new CCursorSpin(this);
    spin_->setObjectName(QString::number(kCursorSpinId));
    spin_->onDelta = [this](int d) { onCursorSpin(d); };
    connect(edit_, &QLineEdit::returnPressed, this, &CBaseView::onCursorEnter);

    table_->setColumnCount(3);
    table_->setHorizontalHeaderLabels({columnTitles[0], columnTitles[1], columnTitles[2]});
    table_->setColumnWidth(0, 40);
    table_->setColumnWidth(1, 60);
    table_->setColumnWidth(2, 60);

    chart_ = new CTavrinPlotCtrl(this);
    chart_->create(this, QRect(0, 0, 10, 10), kPlotCtrlId);
    chart_->bottomAxis = chart_->createAxis(kAxisBottom);
    chart_->leftAxis = chart_->createAxis(kAxisLeft);
    chart_->bottomAxis->setRange(chart_->xRangeMin, chart_->xRangeMax);
    chart_->leftAxis->setRange(chart_->yRangeMin, chart_->yRangeMax);
    chart_->dragCursor = chart_->createDragLineCursor(chart_->bottomAxis, kCursorStart);
    if (chart_->dragCursor) {
        chart_->dragCursor->setColor(kCursorColour);
        // A dragged cursor shows its new position in the edit at once.
        chart_->dragCursor->addListener([this](double, double) { update(); });
    }
    chart_->SetChartTitle(viewTitle);
    chart_->leftAxis->label().setText(columnTitles[2]);
    chart_->bottomAxis->label().setText(unitTitle());
    for (CPlotAxis* a :
         {static_cast<CPlotAxis*>(chart_->leftAxis), static_cast<CPlotAxis*>(chart_->bottomAxis)}) {
        a->setColor(colourFromRef(foregroundColor));
        a->label().setColor(colourFromRef(foregroundColor));
        a->grid().setColor(kAxisGridColour);
    }
    chart_->AddNamedSeries(viewTitle);
    initialFill();
    ConvertXAxis(waveArray.data(), pointCount, xUnit, record->laserWavelength, displayXArray.data(),
                 conversionCache);
    if (pointCount >= 1)
        chart_->SetNamedSeriesData(viewTitle, displayXArray.data(), valueArray.data(), pointCount);
    chart_->setBackgroundColor(colourFromRef(backgroundColor));
    chart_->setBackGradient(false);

    timer_.setInterval(kViewTimerMs);
    connect(&timer_, &QTimer::timeout, this, &CBaseView::onTimer);
    timer_.start();
    layoutView();
}

QString CBaseView::unitTitle() const {
    return unitTitles[std::clamp(xUnit, 0, kXUnitCount - 1)];
}

void CBaseView::setViewColours(const ViewColours& c) {
    backgroundColor = c.background;
    foregroundColor = c.foreground;
    gridColor = c.grid;
}

void CBaseView::applyColoursToChart() {
    const QColor fg = colourFromRef(foregroundColor);
    chart_->setBackgroundColor(colourFromRef(backgroundColor));
    chart_->setBackGradient(false);
    for (CPlotAxis* a :
         {static_cast<CPlotAxis*>(chart_->leftAxis), static_cast<CPlotAxis*>(chart_->bottomAxis)}) {
        a->setColor(fg);
        a->label().setColor(fg);
        a->grid().setColor(colourFromRef(gridColor));
    }
    chart_->legend().setTextColor(fg);
    chart_->title().setColor(fg);
    chart_->setBorderColor(fg);
    appliedBackground_ = backgroundColor;
}

// ---- layout ---------------------------------------------------------------------------------

void CBaseView::layoutView() {
    if (!chart_) return;
    const QString title = unitTitle();
    const QFontMetrics fm(font());
    const int h = static_cast<int>(fm.height() * 1.4);
    cursorBoxHeight = h;
    QRect chartRect = rect().adjusted(0, 0, 0, -(h + 5));
    if (tableShown) {
        const int width = sideTableWidth(table_->columnCount());
        const QRect tableRect(chartRect.right() + 1 - width, chartRect.top(), width,
                              chartRect.height());
        table_->setGeometry(tableRect);
        chartRect.setRight(tableRect.left() - 1);
        table_->show();
    } else {
        table_->hide();
    }
    chart_->setGeometry(chartRect);
    const int x = fm.horizontalAdvance(title) + kCursorEditLeftGap;
    const int y = chartRect.bottom() + 1 + 2;
    edit_->setGeometry(x, y, editWidth, h);
    spin_->setGeometry(x + editWidth + 1, y, spinWidth, h);
    chart_->bottomAxis->label().setText(title);
    update();
    chart_->redraw();
}

void CBaseView::resizeEvent(QResizeEvent*) {
    layoutView();
}

void CBaseView::ToggleTableView() {
    tableShown = tableShown ? 0 : 1;
    layoutView();
}

// ---- redraw ---------------------------------------------------------------------------------

void CBaseView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    OnDraw(p);
}

void CBaseView::OnDraw(QPainter& p) {
    if (!record || !chart_) return;
    ++redraws_;
    if (backgroundColor != appliedBackground_) applyColoursToChart();
    computeQuantity();
    ConvertXAxis(waveArray.data(), pointCount, xUnit, record->laserWavelength, displayXArray.data(),
                 conversionCache);
    setMainSeries();
    DrawCursorReadout(p);
    AutoRangeX();
    runPeakAnalysis();
    UpdateOverlays(dataType);
    chart_->bottomAxis->setHomeRange(chart_->xRangeMin, chart_->xRangeMax);
    adjustYRange();
    chart_->leftAxis->setHomeRange(chart_->yRangeMin, chart_->yRangeMax);
    chart_->redraw();
    if (chart_->dragCursor) chart_->dragCursor->updatePosition();
    if (tableShown) {
        rebuildOverlayList();
        RefreshTable();
    }
}

void CBaseView::setMainSeries() {
    chart_->SetNamedSeriesData(viewTitle, displayXArray.data(), valueArray.data(), pointCount);
}

void CBaseView::onTimer() {
    if (context_.tabs() && context_.tabs()->frontViews().contains(this)) update();
}

void CBaseView::FindPeaks(const double* x, const double* y) {
    PeakSwitches s;
    const AcquisitionSettings& acquisition = context_.acquisitionSettings();
    s.showPeak = acquisition.showPeak;
    s.showFwhm = acquisition.showFwhm;
    s.showCwl = acquisition.showCwl;
    chart_->showPeak = s.showPeak;
    chart_->showFwhm = s.showFwhm;
    chart_->showCwl = s.showCwl;
    ::FindPeaks(x, y, pointCount, chart_->bottomAxis->rangeMin(), chart_->bottomAxis->rangeMax(), s,
                peakParams, peakResults, chart_->peakTable);
}

void CBaseView::AutoRangeX() {
    const int n = pointCount;
    if (n < 1) return;
    double lo = std::min(displayXArray[0], displayXArray[n - 1]);
    double hi = std::max(displayXArray[0], displayXArray[n - 1]);
    CSpectrometerDevice& device = context_.device();
    if (device.isConnected()) {
        std::erase_if(device.modelName, [](char c) { return c == '\r' || c == '\n'; });
        if (device.modelName == kWideModel) hi = kWideModelTop;
    }
    if (lo == chart_->xRangeMin && hi == chart_->xRangeMax) return;
    chart_->bottomAxis->setRange(lo, hi);
    chart_->xRangeMin = lo;
    chart_->xRangeMax = hi;
}

void CBaseView::UpdateOverlays(int type) {
    for (SpectrumSeries& s : record->extraSeries) {
        if (s.typeCode != type) continue;
        const QString name = QString::fromStdString(s.typeName);
        const int count =
            std::min(s.count, static_cast<int>(std::min(s.wave.size(), s.value.size())));
        CPlotSeries* series = chart_->FindNamedSeries(name);
        if (series) {
            if (s.valid == 1) {
                chart_->SetNamedSeriesData(name, s.wave.data(), s.value.data(), count);
                s.displayColour = refFromColour(series->color());
            } else {
                chart_->RemoveNamedSeries(name);
            }
        } else if (s.valid == 1 && chart_->AddNamedSeries(name)) {
            chart_->SetNamedSeriesData(name, s.wave.data(), s.value.data(), count);
            if (CPlotSeries* added = chart_->FindNamedSeries(name)) {
                const size_t k = (chart_->seriesBuffers.size() - 1) % std::size(kSeriesColours);
                added->setColor(kSeriesColours[k]);
                s.displayColour = refFromColour(added->color());
            }
        }
    }
}

void CBaseView::rebuildOverlayList() {
    overlayList.clear();
    for (SpectrumSeries& s : record->extraSeries) {
        if (s.typeCode == dataType && s.valid == 1) overlayList.push_back(&s);
        if (static_cast<int>(overlayList.size()) >= kMaxOverlays) break;
    }
}

void CBaseView::RefreshTable() {
    if (!table_) return;
    const int k = overlayList.size() < 4 ? 3 : 6;
    const int c = tableRefreshCounter;
    tableRefreshCounter = c + 1;
    if (c % k != 0) return;
    if (c + 1 > 100) tableRefreshCounter = 0;
    table_->setUpdatesEnabled(false);
    if (context_.device().isConnected()) {
        if (table_->rowCount() < pointCount) table_->setRowCount(pointCount);
        for (int i = 0; i < pointCount; ++i) {
            if (tableRefreshCounter < 10) table_->setCellText(i, 0, QString::number(i + 1));
            if (tableRefreshCounter < 2)
                table_->setCellText(i, 1,
                                    QString::fromStdString(formatValue("%.3f", displayXArray[i])));
            table_->setCellText(
                i, 2, QString::fromStdString(formatValue(listValueFormat, valueArray[i])));
        }
        if (tableRefreshCounter < 2)
            table_->setHorizontalHeaderItem(1, new QTableWidgetItem(unitTitle()));
    } else {
        tableRefreshCounter = 0;
    }

    std::stable_sort(overlayList.begin(), overlayList.end(),
                     [](const SpectrumSeries* a, const SpectrumSeries* b) {
                         return a->displayOrder < b->displayOrder;
                     });
    const int wanted = 3 + 2 * static_cast<int>(overlayList.size());
    if (table_->columnCount() != wanted) {
        const int before = table_->columnCount();
        table_->setColumnCount(wanted);
        for (int col = before; col < wanted; ++col) {
            table_->setHorizontalHeaderItem(
                col, new QTableWidgetItem(col % 2 == 1 ? unitTitles[kXUnitNm] : columnTitles[2]));
            table_->setColumnWidth(col, 60);
        }
        overlayColumnTitles.resize(overlayList.size());
        layoutView();
    }
    for (size_t o = 0; o < overlayList.size(); ++o) {
        const SpectrumSeries& s = *overlayList[o];
        if (overlayColumnTitles[o] == s.typeName) continue;
        const int count =
            std::min(s.count, static_cast<int>(std::min(s.wave.size(), s.value.size())));
        if (table_->rowCount() < count) table_->setRowCount(count);
        const QColor colour = colourFromRef(s.displayColour);
        const int cx = 3 + 2 * static_cast<int>(o), cy = cx + 1;
        for (int j = 0; j < count; ++j) {
            table_->setCellTextColour(j, cx, colour);
            table_->setCellTextColour(j, cy, colour);
            table_->setCellText(j, cx, QString::fromStdString(formatValue("%.3f", s.wave[j])));
            table_->setCellText(j, cy,
                                QString::fromStdString(formatValue(listValueFormat, s.value[j])));
        }
        overlayColumnTitles[o] = s.typeName;
    }
    table_->setUpdatesEnabled(true);
}

void CBaseView::DrawCursorReadout(QPainter& p) {
    const QRect strip(0, chart_->geometry().bottom() + 1, width(),
                      height() - chart_->geometry().bottom() - 1);
    p.fillRect(strip, palette().window());
    const QRect editRect = edit_->geometry();
    p.setPen(palette().windowText().color());
    p.drawText(QRect(0, editRect.top() + 2, editRect.left() - 2, editRect.height()),
               Qt::AlignRight | Qt::AlignTop, unitTitle());

    const double cursor = chart_->dragCursor ? chart_->dragCursor->value() : 0.0;
    // Each view keeps its own last text: a cache shared by the views of a class would leave a
    // newly opened view's edit empty while its cursor sits where another view's does.
    if (!hasWrittenCursor_ || cursor != writtenCursor_) {
        if (!edit_->hasFocus()) {
            edit_->setText(QString::fromStdString(cursorEditText(cursor, xUnit)));
            hasWrittenCursor_ = true;
            writtenCursor_ = cursor;
        }
    }
    int k = 0;
    const int x0 = editRect.left() + editWidth + spinWidth + 5;
    for (const SeriesBuffer& b : chart_->seriesBuffers) {
        if (b.visible != 1) continue;
        const double v = ValueAtX(b.y.data(), cursor, b.count, b.x.data());
        const CPlotSeries* s = chart_->FindNamedSeries(b.name);
        p.setPen(s ? s->color() : palette().windowText().color());
        p.drawText(QPoint(x0 + kReadoutStep * k, editRect.top() + 2 + p.fontMetrics().ascent()),
                   QString::fromStdString(formatValue(readoutFormat, v)));
        ++k;
    }
    p.drawText(QPoint(x0 + kReadoutStep * k, editRect.top() + 2 + p.fontMetrics().ascent()),
               QStringLiteral("            "));
}

// ---- cursor box -----------------------------------------------------------------------------

void CBaseView::moveCursorTo(double x) {
    if (!chart_->dragCursor || !chart_->bottomAxis->contains(x)) return;
    chart_->dragCursor->setCursorValue(x);
    chart_->dragCursor->updatePosition();
    chart_->redraw();
    update();
}

void CBaseView::onCursorEnter() {
    moveCursorTo(parseDoublePrefix(edit_->text().toStdString()));
    edit_->clearFocus();
}

void CBaseView::onCursorSpin(int delta) {
    CSpectrometerDevice& device = context_.device();
    const double x = parseDoublePrefix(edit_->text().toStdString());
    int pixel = device.waveLengthToPixel(x) - delta;
    if (pixel < 0) pixel = 0;
    const double moved = device.pixelToWaveLength(pixel);
    edit_->setText(QString::fromStdString(formatValue("%.2f", moved)));
    moveCursorTo(moved);
}

void CBaseView::wheelEvent(QWheelEvent* event) {
    // The view forwards the wheel to its chart with the position in the chart's coordinates.
    chart_->wheelAt(chart_->mapFromGlobal(event->globalPosition().toPoint()),
                    event->angleDelta().y());
    event->accept();
}

// ---- commands -------------------------------------------------------------------------------

bool CBaseView::chartHasSeries() const {
    return chart_ && !chart_->seriesBuffers.empty();
}

void CBaseView::setBothRanges(CPlotAxis* axis, ViewRange r) {
    axis->setRange(r.min, r.max);
}

bool CBaseView::handleViewCommand(int id) {
    CPlotAxis* bottom = chart_->bottomAxis;
    CPlotAxis* left = chart_->leftAxis;
    const ViewRange b{bottom->rangeMin(), bottom->rangeMax()};
    switch (id) {
        case Cmd::kBestX:
            if (auto r = bestXRange(waveArray.data(), pointCount)) setBothRanges(bottom, *r);
            chart_->setMouseMode(kMouseModeRectZoom);
            break;
        case Cmd::kBestY: {
            bool any = false;
            double lo = 0, hi = 0;
            for (const CPlotSeries* s : chart_->allSeries()) {
                double x0, x1, y0, y1;
                if (s->verticalAxis() != left || !s->dataExtent(x0, x1, y0, y1)) continue;
                lo = any ? std::min(lo, y0) : y0;
                hi = any ? std::max(hi, y1) : y1;
                any = true;
            }
            if (any) setBothRanges(left, bestYRange(lo, hi));
            break;
        }
        case Cmd::kZoomXRange:
            if (auto r = zoomXRange(b, chart_->dragCursor ? chart_->dragCursor->value() : b.min))
                setBothRanges(bottom, *r);
            chart_->setMouseMode(kMouseModeRectZoom);
            break;
        case Cmd::kZoomYRange:
            if (auto r = zoomYRange(waveArray.data(), valueArray.data(), pointCount, b,
                                    left->rangeMax()))
                setBothRanges(left, *r);
            chart_->setMouseMode(kMouseModeRectZoom);
            break;
        case Cmd::kZoomIn:
            chart_->setMouseMode(kMouseModeZoomIn);
            break;
        case Cmd::kZoomOut:
            chart_->setMouseMode(kMouseModeZoomOut);
            break;
        case Cmd::kSelectZoom:
            chart_->setMouseMode(kMouseModeRectZoom);
            break;
        case Cmd::kRecover:
            chart_->restoreHomeRange();
            chart_->setMouseMode(kMouseModeRectZoom);
            break;
        case Cmd::kCoordinateSetting: {
            CCordinateSet dialog(this);
            dialog.setRanges(b.min, b.max, left->rangeMin(), left->rangeMax());
            if (dialog.exec() != QDialog::Accepted) return true;
            setBothRanges(bottom, {dialog.xMin, dialog.xMax});
            setBothRanges(left, {dialog.yMin, dialog.yMax});
            break;
        }
        case Cmd::kAddTableView:
            ToggleTableView();
            break;
        case Cmd::kUnitNm:
        case Cmd::kUnitUm:
        case Cmd::kUnitPixel:
        case Cmd::kUnitRaman:
        case Cmd::kUnitWavenumber:
        case Cmd::kUnitGhz: {
            static constexpr int kUnitOf[][2] = {{Cmd::kUnitNm, kXUnitNm},
                                                 {Cmd::kUnitUm, kXUnitUm},
                                                 {Cmd::kUnitPixel, kXUnitPixel},
                                                 {Cmd::kUnitRaman, kXUnitRamanShift},
                                                 {Cmd::kUnitWavenumber, kXUnitWavenumber},
                                                 {Cmd::kUnitGhz, kXUnitGhz}};
            for (const auto& [cmd, unit] : kUnitOf)
                if (cmd == id) xUnit = unit;
            tableRefreshCounter = 0;
            layoutView();
            break;
        }
        case Cmd::kXAxisInverted:
            bottom->setInverted(!bottom->isInverted());
            break;
        default:
            return false;
    }
    if (chart_->dragCursor) chart_->dragCursor->updatePosition();
    chart_->redraw();
    update();
    return true;
}

bool CBaseView::viewCommandEnabled(int id) const {
    if (id == Cmd::kUnitRaman) return appType == 9;
    return true;
}

bool CBaseView::viewCommandChecked(int id) const {
    if (id == Cmd::kSelectZoom) return chart_ && chart_->mouseMode() == kMouseModeRectZoom;
    if (id == Cmd::kXAxisInverted) return chart_ && chart_->bottomAxis->isInverted();
    return false;
}

// ---- export ---------------------------------------------------------------------------------

int CBaseView::exportData(const std::string& path) {
    if (record->copyToLastStored(pointCount, displayXArray.data(), valueArray.data()) == 1) {
        const AcquisitionSettings& acquisition = context_.acquisitionSettings();
        const std::string unit = unitTitle().toStdString();
        const std::string header = buildDataFileHeader(
            *record, dataType, context_.settings().fileFormat, context_.device(), acquisition,
            &unit, context_.setup().branding.appName, context_.setup().resources.version);
        if (record->saveLastStored(path, header, dataType) == 1) return 1;
    }
    // A failed write has said why; this names the export that did not happen.
    char text[1200];
    std::snprintf(text, sizeof text, loadString(FilesStr::kSaveFileError), path.c_str());
    showMessage(text, MsgIcon::Warning, kMsgOk, this);
    return 0;
}

int CBaseView::ExportData() {
    const std::string path = buildExportPath(dataType, context_.settings());
    if (path.empty()) return 0;
    return exportData(path);
}

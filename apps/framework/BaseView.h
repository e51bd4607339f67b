#pragma once
// The base of every measurement view: a chart filling the view above a cursor box (the unit
// title, the cursor position edit, a pixel spin and one value per curve at the cursor), an
// optional side table of all points, the 50 ms refresh of front tabs, the view commands of
// the main frame, export, and the view's number in the instance register. UI thread.

#include <QTimer>
#include <QWidget>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "apps/framework/TavrinPlotCtrl.h"
#include "apps/framework/ViewContext.h"
#include "apps/framework/ViewRules.h"
#include "apps/peaks/PeakSearch.h"
#include "core/XAxis.h"
#include "shell/app/ViewInterface.h"

class CMyLIST;
class CSpectrumData;
class QComboBox;
class QLineEdit;
struct CInstanceRegister;
struct SpectrumSeries;

inline constexpr int kCursorEditId = 61454;
inline constexpr int kCursorSpinId = 61455;
inline constexpr int kSideTableId = 61456;
inline constexpr int kViewTimerMs = 50;
inline constexpr int kMaxOverlays = 10;

class CCursorSpin;

/// What a derived view fixes before the base builds itself.
struct ViewKind {
    int appType = 0;
    int dataType = 0;
    int nameStringId = 0;   ///< the application's name ("Spectrum")
    int titleStringId = 0;  ///< viewTitle and chart title ("Spectrum View")
    int valueStringId = 0;  ///< value column and left axis title ("Intensity")
    int listDecimals = 1;
};

class CBaseView : public QWidget, public IMeasurementView {
    Q_OBJECT
  public:
    CBaseView(IViewContext& context, const ViewKind& kind, QWidget* parent = nullptr);
    ~CBaseView() override;

    // The two operations every view has, replaced by some applications.
    virtual void ToggleTableView();
    /// Asks for the path by the export settings and writes; 1 on success.
    virtual int ExportData();

    // IMeasurementView
    int fileType() const override { return dataType; }
    int exportData(const std::string& path) override;
    bool chartHasSeries() const override;
    bool handleViewCommand(int commandId) override;
    bool viewCommandEnabled(int commandId) const override;
    bool viewCommandChecked(int commandId) const override;

    /// One whole redraw; painter draws the cursor readout on the view.
    void OnDraw(QPainter& p);
    /// Timer 1: invalidates the view while it is the front tab of a tab group.
    virtual void onTimer();
    /// Moves the drag-line cursor; an X outside the bottom axis' range is ignored.
    void moveCursorTo(double x);
    /// The cursor box's Enter and spin, as the user triggers them.
    virtual void onCursorEnter();
    virtual void onCursorSpin(int delta);

    void AutoRangeX();
    void UpdateOverlays(int type);
    void RefreshTable();
    void DrawCursorReadout(QPainter& p);
    /// Runs the layout again (unit change, table shown or hidden, resize).
    void layoutView();
    /// The three view colours; the next redraw passes them on to the chart.
    void setViewColours(const ViewColours& colours);

    CTavrinPlotCtrl* chart() const { return chart_; }
    CMyLIST* sideTable() const { return table_; }
    QLineEdit* cursorEdit() const { return edit_; }
    QTimer& refreshTimer() { return timer_; }
    QString unitTitle() const;
    int redrawCount() const { return redraws_; }

    // Members, as the views share them.
    int xUnit = kXUnitNm;
    int dataType = 0;
    int backgroundColor = 0;
    int foregroundColor = 0xffffff;
    int gridColor = 0;
    CSpectrumData* record = nullptr;
    std::vector<double> waveArray = std::vector<double>(kViewArraySize);
    std::vector<double> valueArray = std::vector<double>(kViewArraySize);
    std::vector<double> displayXArray = std::vector<double>(kViewArraySize);
    XAxisCache conversionCache;
    int pointCount = 0;
    QString viewName;
    QString viewTitle;
    int tableShown = 0;
    std::vector<SpectrumSeries*> overlayList;
    std::vector<std::string> overlayColumnTitles;
    PeakParams peakParams;
    std::string readoutFormat;
    int appType = 0;
    int tableRefreshCounter = 0;
    std::array<QString, 3> columnTitles;
    int listDecimals = 1;
    std::string listValueFormat = "%.1f";
    std::array<QString, kXUnitCount> unitTitles;
    int instanceNumber = 0;
    std::vector<PeakRecord> peakResults;
    int cursorBoxHeight = 0;
    int editWidth = 80;
    int spinWidth = 16;

  protected:
    /// Builds controls, chart, cursor and main series and starts the timer; the derived
    /// constructor calls it once its own values are set.
    void onCreate();
    /// Step 3 of the redraw: waveArray, valueArray and pointCount from the record.
    virtual void computeQuantity() = 0;
    /// Step 5; views that keep their last curve without points replace it.
    virtual void setMainSeries();
    /// Peak analysis of the visible curve; the views without one leave it empty.
    virtual void runPeakAnalysis() {}
    /// The Y range rule of views that have one (after the saved X range is set).
    virtual void adjustYRange() {}
    /// Fills the working arrays when the view is built (the first curve before any redraw).
    virtual void initialFill() {}
    void FindPeaks(const double* x, const double* y);

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

    IViewContext& context_;

  private:
    void applyColoursToChart();
    void rebuildOverlayList();
    void setBothRanges(CPlotAxis* axis, ViewRange r);

    std::shared_ptr<CInstanceRegister> register_;
    CTavrinPlotCtrl* chart_ = nullptr;
    QLineEdit* edit_ = nullptr;
    CCursorSpin* spin_ = nullptr;
    QComboBox* combo_ = nullptr;
    CMyLIST* table_ = nullptr;
    QTimer timer_;
    int appliedBackground_ = -1;
    bool hasWrittenCursor_ = false;
    double writtenCursor_ = 0.0;
    int redraws_ = 0;
};

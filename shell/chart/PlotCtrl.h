#pragma once
// The chart window: up to four axes, XY series, a legend, a title and drag-line cursors, drawn
// double-buffered, zoomed and panned with the mouse, and printed. Views own one each (through
// their subclass); the chart owns everything it creates and deletes it with itself. UI thread.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPoint>
#include <QWidget>
#include <array>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "shell/chart/PeakRecord.h"
#include "shell/chart/PlotAxis.h"
#include "shell/chart/PlotCursor.h"
#include "shell/chart/PlotGeometry.h"
#include "shell/chart/PlotLegend.h"
#include "shell/chart/PlotSeries.h"
#include "shell/chart/PlotTitle.h"
#include "shell/chart/PlotZoom.h"

class QPainter;
class QPrinter;

inline constexpr int kPlotCtrlId = 1000;   ///< child id the views give their chart
inline constexpr int kPlotChartInset = 3;  ///< chart drawn this far inside the client area

enum class EPlotEdge { None, Sunken, Raised, Etched };

class CPlotCtrl : public QWidget {
    Q_OBJECT

  public:
    explicit CPlotCtrl(QWidget* parent = nullptr);
    ~CPlotCtrl() override;

    /// Makes the chart a child of parent in rect, named by id, and shows it. Returns 1.
    int create(QWidget* parent, const QRect& rect, int id = kPlotCtrlId);

    // Axes ---------------------------------------------------------------------------------
    /// A standard axis in slot (0 left, 1 bottom, 2 right, 3 top); an axis already there is
    /// deleted and its series and cursors move to the new one. Null for a slot out of range.
    CPlotStandardAxis* createAxis(int slot);
    CPlotAxis* axis(int slot) const;
    void restoreHomeRange();

    // Series -------------------------------------------------------------------------------
    /// A series against the bottom (or top) and left (or right) axis; null when that axis is
    /// missing.
    CPlotLineSeries* createLineSeries(bool secondaryHorizontal = false,
                                      bool secondaryVertical = false);
    CPlotPointsSeries* createPointsSeries(bool secondaryHorizontal = false,
                                          bool secondaryVertical = false);
    CPlotSeries* series(unsigned id) const;
    /// All series in id order.
    std::vector<CPlotSeries*> allSeries() const;
    bool removeSeries(unsigned id);
    void removeAllSeries();

    // Cursors ------------------------------------------------------------------------------
    /// A drag-line cursor at value on axis (which must belong to this chart), else null.
    CPlotDragLineCursor* createDragLineCursor(CPlotAxis* axis, double value);
    std::vector<CPlotDragLineCursor*> dragLineCursors() const;
    bool removeCursor(CPlotCursor* cursor);

    // Legend and title ---------------------------------------------------------------------
    CPlotLegend& legend() { return m_legend; }
    const CPlotLegend& legend() const { return m_legend; }
    CPlotTitle& title() { return m_title; }
    /// The legend entry under a point in client coordinates, with its series' full name.
    SPlotLegendHit legendEntryAt(const QPoint& p) const;

    // Colours and frame --------------------------------------------------------------------
    QColor backgroundColor() const { return m_background; }
    void setBackgroundColor(const QColor& c) { m_background = c; }
    QColor borderColor() const { return m_borderColor; }
    void setBorderColor(const QColor& c) { m_borderColor = c; }
    bool isBackGradient() const { return m_gradient; }
    void setBackGradient(bool on) { m_gradient = on; }
    void setBackGradientColors(const QColor& from, const QColor& to, Qt::Orientation direction);
    EPlotEdge edgeType() const { return m_edge; }
    void setEdgeType(EPlotEdge e) { m_edge = e; }

    // Mouse --------------------------------------------------------------------------------
    bool isZoomEnabled() const { return m_zoomEnabled; }
    void setZoomEnabled(bool on) { m_zoomEnabled = on; }
    bool isPanEnabled() const { return m_panEnabled; }
    void setPanEnabled(bool on) { m_panEnabled = on; }
    /// 0 rectangle zoom, 1 click zoom out, 2 click zoom in.
    int mouseMode() const { return m_mouseMode; }
    void setMouseMode(int mode);

    // Drawing ------------------------------------------------------------------------------
    /// Draws now into the memory image and repaints, unless redrawing is suspended.
    void redraw();
    void suspendRedraw() { --m_redrawCounter; }
    /// Ends one suspendRedraw; a redraw asked for meanwhile is done when drawing resumes.
    void resumeRedraw();
    int redrawCounter() const { return m_redrawCounter; }
    bool isRedrawPending() const { return m_redrawPending; }
    /// Draws the whole client picture (background, edge, chart, peaks) into client on p.
    void renderTo(QPainter& p, const QRect& client);
    const QImage& bufferImage() const { return m_buffer; }
    /// The plotting rectangle of the last drawing; its border lines are its left, top, right
    /// and bottom pixel columns and rows.
    SPlotRect plotRect() const { return m_plotRect; }

    // Printing -----------------------------------------------------------------------------
    /// Prints on printer, or on the printer the user picks when null. Returns 1 when the
    /// document was printed, 0 when cancelled or failed.
    int printChart(const QString& title, QPrinter* printer = nullptr);
    QString printTitle() const { return m_printTitle; }
    QString printNotes() const { return m_printNotes; }
    void setPrintNotes(const QString& notes) { m_printNotes = notes; }
    QFont printTitleFont() const { return m_printTitleFont; }
    void setPrintTitleFont(const QFont& f) { m_printTitleFont = f; }
    QFont printNotesFont() const { return m_printNotesFont; }
    void setPrintNotesFont(const QFont& f) { m_printNotesFont = f; }
    QSize printLogicalSize() const { return m_printLogicalSize; }
    QSize printDeviceSize() const { return m_printDeviceSize; }
    /// Asks the user for a printer; tests replace it so no dialog waits for an answer.
    using PrintDialogHandler = std::function<bool(QPrinter& printer, QWidget* parent)>;
    static PrintDialogHandler setPrintDialogHandler(PrintDialogHandler handler);

    // Peak display, filled by the views --------------------------------------------------
    std::vector<PeakRecord> peakTable;
    int showPeak = 0;
    int showFwhm = 0;
    int showCwl = 0;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

    /// Title, legend, axes, border, series, cursors and legend into r.
    void drawChart(QPainter& p, SPlotRect r);
    /// Peak markers on the main series and the peak text block.
    void drawPeakTable(QPainter& p);

    /// True when a client point lies on the plotting rectangle (its border included).
    bool isOnPlot(const QPoint& pos) const;

  private:
    enum class EDrag { None, ZoomRect, Cursor, LeftStretch, BottomStrip, Pan };

    struct SLayoutSnapshot {
        SPlotRect plot;
        std::array<std::optional<CPlotAxis::SLayoutState>, kAxisSlotCount> axes;
        SPlotLegendLayout legend;
    };

    template <typename TSeries>
    TSeries* addSeries(bool secondaryHorizontal, bool secondaryVertical);
    unsigned nextSeriesId() const;
    void applyAutomaticRanges();
    void drawBackground(QPainter& p, const QRect& client);
    void drawEdge(QPainter& p, const QRect& client);
    SLayoutSnapshot saveLayout() const;
    void restoreLayout(const SLayoutSnapshot& s);
    void printPage(QPainter& p, QPrinter& printer);
    void updatePointer(const QPoint& pos);
    void zoomByRectangle(const QPoint& from, const QPoint& to);
    void panBy(const QPoint& from, const QPoint& to);
    std::optional<double> bottomCursorValue() const;

    std::array<std::unique_ptr<CPlotAxis>, kAxisSlotCount> m_axes;
    std::map<unsigned, std::unique_ptr<CPlotSeries>> m_series;
    std::vector<std::unique_ptr<CPlotCursor>> m_cursors;
    CPlotLegend m_legend;
    CPlotTitle m_title;

    int m_redrawCounter = 1;
    bool m_redrawPending = false;
    QImage m_buffer;
    SPlotRect m_plotRect;

    QColor m_background;
    QColor m_borderColor{Qt::black};
    bool m_gradient = false;
    QColor m_gradientFrom{Qt::white};
    QColor m_gradientTo{Qt::lightGray};
    Qt::Orientation m_gradientDirection = Qt::Vertical;
    EPlotEdge m_edge = EPlotEdge::Sunken;

    bool m_zoomEnabled = true;
    bool m_panEnabled = true;
    int m_mouseMode = kMouseModeRectZoom;
    EDrag m_drag = EDrag::None;
    QPoint m_dragStart;
    QPoint m_dragCurrent;
    QPoint m_lastMove;
    bool m_pressOnPlot = false;
    CPlotDragLineCursor* m_draggedCursor = nullptr;

    QFont m_printTitleFont;
    QFont m_printNotesFont;
    QString m_printTitle;
    QString m_printNotes;
    QSize m_printLogicalSize;
    QSize m_printDeviceSize;
};

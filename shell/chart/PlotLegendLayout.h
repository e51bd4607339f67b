#pragma once
// Legend rules: which series get an entry, the size and place of the box, the text an entry
// shows, and which entry lies under the pointer. Pure arithmetic on measured text sizes.

#include <QString>
#include <array>
#include <climits>
#include <vector>

#include "shell/chart/PlotGeometry.h"

inline constexpr int kLegendSymbolSize = 16;     ///< symbol box, pixels square
inline constexpr int kLegendEntryGap = 2;        ///< pixels between two entries
inline constexpr int kLegendTopInset = 5;        ///< first symbol box below the box top
inline constexpr int kLegendLeftInset = 2;       ///< symbol box right of the box left
inline constexpr int kLegendTextGap = 4;         ///< text right of the symbol box
inline constexpr int kLegendRightDock = 6;       ///< box right edge inside the chart rectangle
inline constexpr int kLegendPlotOverlap = 2;     ///< plot border runs this far inside the box
inline constexpr int kLegendMaxTextLength = 14;  ///< longer texts are shortened
inline constexpr int kLegendKeptEnds = 5;        ///< characters kept at each end when shortened
/// Every entry is sized as if it showed this text, so boxes keep their width as names change.
inline constexpr const char* kLegendSizingText = "Spectrum View";

/// What the legend needs to know of one series, in series id order.
struct SPlotLegendItem {
    bool visible = false;
    QString name;
};

/// Where one entry was laid out.
struct SPlotLegendEntry {
    int item = 0;       ///< index into the item list given to layoutLegend
    int recordTop = 0;  ///< top row of the entry before centring (the hit-test row)
    SPlotRect symbol;   ///< the series draws its symbol here
    int textLeft = 0;
    int textTop = 0;  ///< top of the text line (text height as measured)
    QString text;     ///< shortened text shown
};

/// The hit-test record of the last drawing: a fixed record that is never written past.
struct SPlotLegendHitRecord {
    static constexpr int kCapacity = 20;
    std::array<int, kCapacity> top{};       ///< top pixel row of each recorded entry
    std::array<QString, kCapacity> name{};  ///< full name of that entry's series
    int count = 0;                          ///< recorded entries (at most kCapacity)
    /// Top row of the first entry drawn but not recorded; INT_MAX when all were recorded.
    int unrecordedTop = INT_MAX;
};

struct SPlotLegendLayout {
    SPlotRect box;      ///< empty when the legend takes no room
    int plotRight = 0;  ///< the chart rectangle's new right edge
    std::vector<SPlotLegendEntry> entries;
    SPlotLegendHitRecord record;
};

struct SPlotLegendHit {
    int index = -1;  ///< entry under the point, -1 when the point is not on the legend
    QString name;    ///< full series name of that entry
};

/// Indices of the items that get an entry: visible and named.
std::vector<int> legendEntryItems(const std::vector<SPlotLegendItem>& items);

/// Box size for count entries measured as textSize each.
SPlotSize legendBoxSize(int count, SPlotSize textSize);

/// Box position inside the chart rectangle left below the title.
SPlotRect legendBoxRect(const SPlotRect& chart, SPlotSize box);

/// The text an entry shows: the bare file name of a path, shortened when long.
QString legendText(const QString& seriesName);

/// The whole layout. A hidden legend, or one without entries, has an empty box and leaves
/// chart.right as it is.
SPlotLegendLayout layoutLegend(bool shown, const std::vector<SPlotLegendItem>& items,
                               const SPlotRect& chart, SPlotSize textSize);

/// The entry under (x, y): the band from an entry's top row to the next entry's top row; the
/// box's top margin and everything below the last entry's top belong to the last entry.
SPlotLegendHit legendEntryAt(const SPlotRect& box, const SPlotLegendHitRecord& record, int x,
                             int y);

#pragma once
// The arithmetic of the measurement views: cursor look-up, the view commands' ranges, wheel
// zooms, view colours, instance naming and the side table's pacing. Plain data in, plain data
// out, so each rule is tested without a window.

#include <optional>
#include <string>
#include <vector>

inline constexpr int kViewArraySize = 3700;   ///< working arrays of every view
inline constexpr int kApplicationCodes = 36;  ///< lists in the instance register

/// A closed interval of axis values.
struct ViewRange {
    double min = 0.0;
    double max = 0.0;
    bool operator==(const ViewRange&) const = default;
};

/// The Y value of the sample whose X is nearest x (X ascending or descending); 0 when x lies
/// outside the series' X span or the series is empty. Between two equally near samples the one
/// with the larger X wins.
double ValueAtX(const double* y, double x, int n, const double* xs);

/// Index of the sample of x[0..n) nearest value, the first of equally near ones; -1 when n < 1.
int nearestIndex(const double* x, int n, double value);

/// Best X-Axis: [max(100, wave[0]), min(1500, wave[n-1])] in nm; nullopt without points.
std::optional<ViewRange> bestXRange(const double* wave, int n);
/// Best Y-Axis: 10 % of the data's span added on both sides.
ViewRange bestYRange(double lo, double hi);
/// Zoom X-Axis Range: nothing for a span of 5 or less; towards the cursor when it lies
/// strictly inside, else 10 % off both ends.
std::optional<ViewRange> zoomXRange(ViewRange bottom, double cursor);
/// Zoom Y-Axis Range: from the smallest value whose wavelength lies strictly inside the bottom
/// range (the first point's value to start with) up to 80 % of the way to the current maximum.
std::optional<ViewRange> zoomYRange(const double* wave, const double* value, int n,
                                    ViewRange bottom, double leftMax);
/// One wheel step around f: forward shrinks the range by 10 % of each side, backward widens it.
ViewRange wheelZoom(ViewRange r, double f, bool forward);
/// The left axis' own wheel step: forward max x 0.95, backward max x 1.05.
ViewRange wheelZoomLeftAxis(ViewRange r, bool forward);

/// Background, foreground and grid colour of a view from its background, 0x00BBGGRR.
struct ViewColours {
    int background = 0;
    int foreground = 0;
    int grid = 0;
};
ViewColours viewColoursFrom(int background);

/// The view's name: the application's text for instance number 0, else "%s(%d)" with k + 1.
std::string instanceViewName(const std::string& base, int instanceNumber);
/// The number the next view of an application takes: 0 for the first, else after the last.
int nextInstanceNumber(const std::vector<int>& list);

/// Top of the spectrum view's Y range for an ADC of bits bits: floor(2^b / 1000) x 1000 + 1000.
double adcRangeTop(int bits);

/// The cursor edit's text: "%.3f" for nm and um, the truncated integer for the other units.
std::string cursorEditText(double x, int xUnit);

/// "%%.%df" and "%%-10.%df" of decimals.
std::string listFormatFor(int decimals);
std::string readoutFormatFor(int decimals);
/// printf of one double with a format the program made itself (listFormatFor and the like).
std::string formatValue(const std::string& format, double v);

/// Width of the side table for n columns: at most nine are counted, three per overlay pair.
int sideTableWidth(int columnCount);

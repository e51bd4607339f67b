#include "apps/peaks/PeakSearch.h"

#include <algorithm>
#include <utility>

#include "apps/framework/ViewRules.h"

namespace {

constexpr double kLevels[] = {0.2, 0.5, 0.8, 0.9, 0.95};
constexpr double kSmallestLeftCrossing = 10.0;

struct Region {
    int start;
    int end;
};

// Regions of [from, to] above t. A region needs a sample at or below t before it, so a curve
// already above t at the first sample (a peak cut by the range's edge) is not found here.
void scanRegions(const double* y, int from, int to, double t, std::vector<Region>& out) {
    enum { Unknown, Below, Above } state = Unknown;
    int start = -1, end = -1;
    for (int i = from; i <= to; ++i) {
        if (y[i] > t) {
            if (state == Below) {
                start = i == 0 ? i : i - 1;
                state = Above;
            }
        } else if (state == Unknown) {
            state = Below;
        } else if (state == Above) {
            end = i;
            state = Below;
        }
        if (start >= 0 && end >= 0) {
            if (end - start >= 1) out.push_back({start, end});
            start = end = -1;
        }
    }
}

// Nearest other results below and above index (lo and hi when there is none).
std::pair<int, int> neighbours(const std::vector<PeakRecord>& results, int index, int lo, int hi) {
    int prev = lo, next = hi;
    bool hasPrev = false, hasNext = false;
    for (const PeakRecord& r : results) {
        if (r.index < index && (!hasPrev || r.index > prev)) {
            prev = r.index;
            hasPrev = true;
        }
        if (r.index > index && (!hasNext || r.index < next)) {
            next = r.index;
            hasNext = true;
        }
    }
    return {prev, next};
}

double interpolate(double x0, double x1, double y0, double y1, double level) {
    // Equal values cannot bracket the level; the sample itself is the crossing then.
    if (y1 == y0) return x0;
    return x0 + (x1 - x0) / (y1 - y0) * (level - y0);
}

}  // namespace

int firstMinIndex(const double* y, int a, int b) {
    int best = a;
    for (int i = a + 1; i <= b; ++i)
        if (y[i] < y[best]) best = i;
    return best;
}

int firstMaxIndex(const double* y, int a, int b) {
    int best = a;
    for (int i = a + 1; i <= b - 1; ++i)
        if (y[i] > y[best]) best = i;
    return best;
}

double peakBaseline(const double* y, int lo, int hi) {
    const double m = y[firstMinIndex(y, lo, hi)];
    return m < 0.0 ? 0.0 : m;
}

void findPeaksMulti(const double* x, const double* y, int lo, int hi, double baseline,
                    const PeakParams& params, std::vector<PeakRecord>& results) {
    results.clear();
    if (!x || !y || lo < 0 || hi <= lo) return;
    const double mn = y[firstMinIndex(y, lo, hi)];
    const double mx = y[firstMaxIndex(y, lo, hi)];
    const double span = mx - mn;

    std::vector<Region> regions, found;
    for (double level : kLevels) {
        const double t = mx - level * span;
        found.clear();
        if (regions.empty()) {
            scanRegions(y, lo, hi, t, found);
        } else {
            std::sort(regions.begin(), regions.end(),
                      [](const Region& a, const Region& b) { return a.start < b.start; });
            std::vector<std::pair<int, int>> gaps;
            gaps.push_back({lo, regions.front().start - 1});
            for (size_t k = 1; k < regions.size(); ++k)
                gaps.push_back({regions[k - 1].end + 1, regions[k].start - 1});
            gaps.push_back({regions.back().end + 1, hi});
            for (const auto& [from, to] : gaps) {
                if (from == to) break;
                scanRegions(y, from, to, t, found);
            }
        }
        regions.insert(regions.end(), found.begin(), found.end());
    }

    for (const Region& r : regions) {
        PeakRecord p;
        p.index = firstMaxIndex(y, r.start, r.end);
        results.push_back(p);
    }

    // Prominence: the peak must rise far enough above the higher of its two valleys.
    for (size_t k = 0; k < results.size();) {
        const int index = results[k].index;
        const auto [prev, next] = neighbours(results, index, lo, hi);
        double base = std::max(y[firstMinIndex(y, prev, index)], y[firstMinIndex(y, index, next)]);
        if (base < 0.0) base = 0.0;
        if (y[index] - base < params.minProminence)
            results.erase(results.begin() + static_cast<long>(k));
        else
            ++k;
    }

    std::stable_sort(results.begin(), results.end(), [y](const PeakRecord& a, const PeakRecord& b) {
        return y[a.index] > y[b.index];
    });
    if (results.size() > kMaxPeaks) results.resize(kMaxPeaks);

    for (size_t k = 0; k < results.size();) {
        const int index = results[k].index;
        results[k].halfLevel = baseline + (y[index] - baseline) * 0.5;
        if (y[index] - baseline < params.minHeight)
            results.erase(results.begin() + static_cast<long>(k));
        else
            ++k;
    }

    for (PeakRecord& r : results) {
        const auto [prev, next] = neighbours(results, r.index, lo, hi);
        const double half = r.halfLevel;
        double left = 0.0, right = 0.0;
        for (int j = r.index; j >= prev; --j) {
            if (y[j] <= half) {
                left = j + 1 < hi + 1 ? interpolate(x[j], x[j + 1], y[j], y[j + 1], half) : x[j];
                break;
            }
        }
        for (int j = r.index; j <= next - 1; ++j) {
            if (y[j] <= half) {
                right = j >= 1 ? interpolate(x[j], x[j - 1], y[j], y[j - 1], half) : x[j];
                break;
            }
        }
        r.peakX = x[r.index];
        if (left >= right || left < kSmallestLeftCrossing) {
            r.fwhm = r.left = r.right = 0.0;
        } else {
            r.left = left;
            r.right = right;
            r.fwhm = right - left;
        }
    }
}

void findPeakSingle(const double* x, const double* y, int lo, int hi, double baseline,
                    const PeakParams& params, std::vector<PeakRecord>& results) {
    results.clear();
    if (!x || !y || lo < 0 || hi <= lo) return;
    PeakRecord r;
    r.index = firstMaxIndex(y, lo, hi);
    r.peakX = x[r.index];
    r.halfLevel = baseline + (y[r.index] - baseline) * 0.5;
    if (y[r.index] - baseline < params.minHeight) return;
    const double half = r.halfLevel;
    double left = 0.0, right = 0.0;
    for (int a = lo; a <= r.index - 1; ++a) {
        if (y[a] == half) {
            left = x[a];
        } else if (y[a] < half && half < y[a + 1]) {
            left = interpolate(x[a], x[a + 1], y[a], y[a + 1], half);
            break;
        }
    }
    for (int i = hi - 1; i >= r.index + 1; --i) {
        if (y[i] == half) {
            right = x[i];
        } else if (y[i] < half && half < y[i - 1]) {
            right = interpolate(x[i], x[i - 1], y[i], y[i - 1], half);
            break;
        }
    }
    r.left = left;
    r.right = right;
    r.fwhm = right - left;
    r.cwl = (right + left) * 0.5;
    results.push_back(r);
}

void fillPeakTable(const std::vector<PeakRecord>& results, const PeakSwitches& switches,
                   const double* x, const double* y, int count, std::vector<PeakRecord>& table) {
    if (table.size() < results.size()) table.resize(results.size());
    for (size_t i = 0; i < results.size(); ++i) {
        const PeakRecord& r = results[i];
        PeakRecord& e = table[i];
        e.index = r.index;
        e.halfLevel = r.halfLevel;
        e.peakX = r.peakX;
        e.left = r.left;
        e.right = r.right;
        e.fwhm = switches.showFwhm ? r.fwhm : -1.0;
        e.cwl = switches.showCwl ? (r.left + r.right) * 0.5 : 0.0;
        e.valueLeft = ValueAtX(y, r.left, count, x);
        e.valueRight = ValueAtX(y, r.right, count, x);
    }
    for (size_t i = results.size(); i < table.size(); ++i)
        table[i].index = 0;
}

void FindPeaks(const double* x, const double* y, int count, double rangeMin, double rangeMax,
               const PeakSwitches& switches, const PeakParams& params,
               std::vector<PeakRecord>& results, std::vector<PeakRecord>& table) {
    if (!switches.showPeak && !switches.showFwhm && !switches.showCwl) {
        table.clear();
        results.clear();
        return;
    }
    results.clear();
    if (count >= 2 && x && y) {
        // The visible range as sample indices, whatever the unit and its direction.
        int lo = nearestIndex(x, count, rangeMin);
        int hi = nearestIndex(x, count, rangeMax);
        if (lo > hi) std::swap(lo, hi);
        if (hi > lo) {
            const double baseline = peakBaseline(y, lo, hi);
            if (switches.showCwl)
                findPeakSingle(x, y, lo, hi, baseline, params, results);
            else
                findPeaksMulti(x, y, lo, hi, baseline, params, results);
        }
    }
    fillPeakTable(results, switches, x, y, count, table);
}

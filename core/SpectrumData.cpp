#include "core/SpectrumData.h"

#include <algorithm>
#include <cmath>
#include <new>

#include "core/Messages.h"
#include "core/NumberParse.h"
#include "core/RunLog.h"
#include "resources/CoreStrings.h"
#include "resources/StringTable.h"

namespace {

constexpr double kNonlinearThreshold = 40000.0;
constexpr double kNearestLimitNm = 1000.0;
constexpr int kMaxExtraPoints = 1 << 29;

constexpr const char* kExtensions[kFileTypeCount] = {
    ".data", ".tr",  ".ab",  ".rf",   ".ai",   ".ri",   ".lmp",
    ".wb",   ".cal", ".clr", ".data", ".data", ".data",
};

SeriesFileWriter& seriesWriter() {
    static SeriesFileWriter writer;
    return writer;
}

// The point whose wavelength is nearest target among those nearer than 1000 nm; the first of
// equals wins; 0 when none is that near.
int nearestIndex(const double* wave, int n, double target) {
    int best = 0;
    double bestDistance = kNearestLimitNm;
    for (int i = 0; i < n; ++i) {
        const double d = std::abs(wave[i] - target);
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return best;
}

}  // namespace

bool allocateSlot(SpectrumSeries& series) {
    if (series.allocated()) return true;
    try {
        series.wave.assign(kMaxPixels, 0.0);
        series.value.assign(kMaxPixels, 0.0);
    } catch (const std::bad_alloc&) {
        series.wave.clear();
        series.value.clear();
        return false;
    }
    return true;
}

CSpectrumData::CSpectrumData() {
    loadFileTypeNames();
    for (int i = 0; i < kFileTypeCount; ++i)
        fileExtensions[i] = kExtensions[i];
    current.typeName = "Spectrum view";
    if (!allocateSlot(current)) {
        showMessage(loadString(CoreStr::kAllocateMemoryFail));
        return;
    }
    for (int i = 0; i < kMaxPixels; ++i)
        current.wave[i] = i * 0.25;
    current.count = kMaxPixels;
    current.valid = 1;
    try {
        scratch_.assign(kMaxPixels, 0.0);
    } catch (const std::bad_alloc&) {
        showMessage(loadString(CoreStr::kAllocateMemoryFail));
    }
}

void CSpectrumData::loadFileTypeNames() {
    for (int i = 0; i < kFileTypeCount; ++i)
        fileTypeNames[i] = loadString(CoreStr::kFileTypeFirst + i);
}

void CSpectrumData::setSeriesFileWriter(SeriesFileWriter writer) {
    seriesWriter() = std::move(writer);
}

int CSpectrumData::frameCount() const {
    return frameCounter.load();
}

int CSpectrumData::setSpectrum(const double* wave, const double* values, int count) {
    if (count < 0 || count > kMaxPixels) return 0;
    if (!wave && !values) return 0;
    std::lock_guard guard(frameLock_);
    if (!current.allocated()) return 0;
    if (wave) std::copy(wave, wave + count, current.wave.begin());
    if (values) {
        const int factor = scaleFactor.load();
        if (factor == 1) {
            std::copy(values, values + count, current.value.begin());
        } else {
            const double k = factor;
            for (int i = 0; i < count; ++i)
                current.value[i] = k * values[i];
        }
    }
    current.typeCode = 0;
    current.count = count;
    current.typeName = "Spectrum data";
    ++frameCounter;
    return 1;
}

int CSpectrumData::copyCurrent(double* wave, double* values) const {
    std::lock_guard guard(frameLock_);
    const int n = current.allocated() ? current.count : 0;
    if (wave && n) std::copy_n(current.wave.begin(), n, wave);
    if (values && n) std::copy_n(current.value.begin(), n, values);
    return n;
}

void CSpectrumData::applyNonlinear(double* values, int count) const {
    if (!values || nonlinearEnabled == 0 || nonlinearCount != 6) return;
    const auto& k = nonlinearCoeff;
    for (int i = 0; i < count; ++i) {
        const double v = values[i];
        if (v >= kNonlinearThreshold)
            values[i] = v + (k[0] + v * (k[1] + v * (k[2] + v * (k[3] + v * (k[4] + v * k[5])))));
    }
}

int CSpectrumData::getSpectrum(double* wave, double* values, int* count) const {
    const int n = copyCurrent(wave, values);
    applyNonlinear(values, n);
    if (count) *count = n;
    return 1;
}

int CSpectrumData::getSpectrumMinusDark(double* wave, double* values, int* count) const {
    const int n = copyCurrent(wave, values);
    if (count) *count = n;
    if (!values) return 1;
    if (hasDark && dark.allocated())
        for (int i = 0; i < n; ++i)
            values[i] -= dark.value[i];
    applyNonlinear(values, n);
    return 1;
}

int CSpectrumData::copyToLastStored(int count, const double* wave, const double* values) {
    if (count < 0 || count > kMaxPixels || (count > 0 && (!wave || !values))) return 0;
    if (!allocateSlot(lastStored)) return 0;
    std::copy_n(wave, count, lastStored.wave.begin());
    std::copy_n(values, count, lastStored.value.begin());
    lastStored.count = count;
    return 1;
}

int CSpectrumData::storeDark() {
    if (!allocateSlot(dark)) return 0;
    const int n = copyCurrent(dark.wave.data(), dark.value.data());
    if (!copyToLastStored(n, dark.wave.data(), dark.value.data())) return 0;
    dark.count = n;
    dark.typeName = "BacklightData";
    dark.valid = 1;
    hasDark = 1;
    return hasReference ? computeNetReference() : 1;
}

int CSpectrumData::storeReference() {
    if (!allocateSlot(reference)) return 0;
    const int n = copyCurrent(reference.wave.data(), reference.value.data());
    if (!copyToLastStored(n, reference.wave.data(), reference.value.data())) return 0;
    reference.count = n;
    reference.typeName = "ReflightData";
    reference.valid = 1;
    hasReference = 1;
    return hasDark ? computeNetReference() : 1;
}

int CSpectrumData::computeNetReference() {
    if (!hasReference || !hasDark) return 1;
    if (!allocateSlot(netReference)) return 0;
    const int n = reference.count;
    for (int i = 0; i < n; ++i) {
        netReference.wave[i] = reference.wave[i];
        netReference.value[i] = reference.value[i] - dark.value[i];
    }
    netReference.count = n;
    netReference.typeName = "NetRefLightData";
    netReference.valid = 1;
    hasNetReference = 1;
    return 1;
}

int CSpectrumData::getAbsorbance(double* values, double* wave, int* count) {
    if (!hasNetReference || !values || !wave) {
        if (count) *count = 0;
        return 0;
    }
    copyCurrent(nullptr, scratch_.data());
    const int n = netReference.count;
    const double* S = scratch_.data();
    const double* D = dark.value.data();
    const double* N = netReference.value.data();
    for (int i = 0; i < n; ++i) {
        const double x = N[i] == 0.0 ? 0.0 : (S[i] - D[i]) / N[i];
        if (N[i] == 0.0 || x <= 0.0) {
            values[i] = 0.0;
            continue;
        }
        // The ratio and its logarithm are rounded to single precision, as the instrument's
        // own software always reported them.
        const float ratio = static_cast<float>(x);
        const float logarithm = static_cast<float>(std::log10(static_cast<double>(ratio)));
        values[i] = -static_cast<double>(logarithm);
    }
    std::copy_n(netReference.wave.begin(), n, wave);
    if (count) *count = n;
    return 1;
}

int CSpectrumData::getTransmissivity(double* values, double* wave, int* count) {
    if (extraSeries.size() == 1) {
        const SpectrumSeries& test = extraSeries.front();
        const auto marker = test.typeName.find("Tavrintest");
        if (marker != std::string::npos && marker > 0 && values && wave) {
            // Outputs hold 3700 points; a longer loaded series is cut there.
            const int n = std::min(test.count, kMaxPixels);
            std::copy_n(test.wave.begin(), n, wave);
            std::copy_n(test.value.begin(), n, values);
            if (count) *count = n;
            testSeriesShown = 1;
            return 1;
        }
    }
    if (!hasNetReference || !values || !wave) {
        if (count) *count = 0;
        return 0;
    }
    copyCurrent(nullptr, scratch_.data());
    const int n = netReference.count;
    const double* S = scratch_.data();
    const double* D = dark.value.data();
    const double* N = netReference.value.data();
    for (int i = 0; i < n; ++i)
        values[i] = N[i] == 0.0 ? 0.0 : (S[i] - D[i]) / N[i] * 100.0;
    std::copy_n(netReference.wave.begin(), n, wave);
    if (count) *count = n;
    return 1;
}

int CSpectrumData::getReflectivity(double* values, double* wave, int* count) {
    if (!hasNetReference || !whiteBoard.allocated() || !values || !wave) {
        if (count) *count = 0;
        return 0;
    }
    copyCurrent(nullptr, scratch_.data());
    const int n = netReference.count;
    const double* S = scratch_.data();
    const double* D = dark.value.data();
    const double* R = reference.value.data();
    const double* N = netReference.value.data();
    const double* W = whiteBoard.value.data();
    for (int i = 0; i < n; ++i) {
        if (N[i] == 0.0 || W[i] == 0.0) {
            values[i] = 0.0;
            continue;
        }
        const double denominator = R[i] / W[i] - D[i];
        // A reference that equals the background after the white-board scaling has no
        // reflectivity; 0 rather than an infinite value on the chart.
        values[i] = denominator == 0.0 ? 0.0 : (S[i] - D[i]) / denominator * 100.0;
    }
    std::copy_n(netReference.wave.begin(), n, wave);
    if (count) *count = n;
    return 1;
}

int CSpectrumData::addSeries(int typeCode, const std::string& name, const double* wave,
                             const double* values, int count) {
    for (const SpectrumSeries& s : extraSeries)
        if (s.typeName == name) return 0;
    if (count < 0 || count >= kMaxExtraPoints || (count > 0 && (!wave || !values))) return 0;
    SpectrumSeries series;
    try {
        series.wave.assign(wave, wave + count);
        series.value.assign(values, values + count);
        extraSeries.reserve(extraSeries.size() + 1);
    } catch (const std::bad_alloc&) {
        return 0;
    }
    series.typeName = name;
    series.typeCode = typeCode;
    series.count = count;
    series.valid = 1;
    extraSeries.push_back(std::move(series));
    return 1;
}

int CSpectrumData::setAbsoluteIrradiance(const double* wave, const double* values, int count) {
    // The slot has room for 3700 points; anything longer is refused instead of overrunning it.
    if (count < 0 || count > kMaxPixels || (count > 0 && (!wave || !values))) return 0;
    if (!allocateSlot(absoluteIrradiance)) return 0;
    std::copy_n(wave, count, absoluteIrradiance.wave.begin());
    std::copy_n(values, count, absoluteIrradiance.value.begin());
    absoluteIrradiance.count = count;
    absoluteIrradiance.typeName = "Absolute Irradiance";
    absoluteIrradiance.valid = 1;
    return 1;
}

double CSpectrumData::integrateAbsoluteIrradiance(int rule, double from, double to) const {
    if (absoluteIrradiance.count == 0 || !absoluteIrradiance.allocated()) return 0.0;
    return integrateSeries(absoluteIrradiance.wave.data(), absoluteIrradiance.value.data(),
                           absoluteIrradiance.count, rule, from, to);
}

int CSpectrumData::evaluateConcentration(double* result) {
    std::vector<double> absorbance(kMaxPixels), wave(kMaxPixels);
    int n = 0;
    getAbsorbance(absorbance.data(), wave.data(), &n);
    const ConcentrationSettings& c = concentration;
    if (c.beerLambert != 0) {
        if (n <= 0) return 1;
        const int i = nearestIndex(wave.data(), n, c.beerWavelength);
        if (result) *result = absorbance[i] * c.beerFactor;
        return 1;
    }
    double a = 0.0;
    switch (c.curveMethod) {
        case 0:
            if (n <= 0) return 1;
            a = absorbance[nearestIndex(wave.data(), n, c.curveWavelength)];
            break;
        case 1: {
            double sum = 0.0;
            int points = 0;
            for (int i = 0; i < n; ++i) {
                if (wave[i] >= c.bandStart && wave[i] <= c.bandEnd) {
                    sum += absorbance[i];
                    ++points;
                }
            }
            // An empty band has no mean; the previous result stands.
            if (points == 0) return 0;
            a = sum / points;
            break;
        }
        case 2:
            a = integrateSeries(wave.data(), absorbance.data(), n, c.integralRule, c.integralStart,
                                c.integralEnd);
            break;
        default:
            return 1;
    }
    if (result) *result = c.curveA1 * a + c.curveA0 + a * (a * c.curveA2);
    return 1;
}

int CSpectrumData::saveLastStored(const std::string& fileName, const std::string& header,
                                  int fileType) {
    if (fileType >= 1 && fileType <= 7)
        valueDecimals = 3;
    else if (fileType == 10)
        valueDecimals = 3;
    else if (fileType == 8)
        valueDecimals = 10;
    else
        valueDecimals = 1;
    const SeriesFileWriter& writer = seriesWriter();
    if (!writer || !lastStored.allocated()) return 0;
    // The writer's own result: a failed write is reported as a failure.
    return writer(*this, fileName, header, lastStored.wave.data(), lastStored.value.data(),
                  lastStored.count);
}

double integrateSeries(const double* x, const double* y, int count, int rule, double from,
                       double to) {
    if (!x || !y || count <= 0) return 0.0;
    int i = 0;
    while (i < count && x[i] < from)
        ++i;
    if (i == count) i = 0;
    int e = 0;
    for (int j = 0; j < count && x[j] <= to; ++j)
        e = j;

    if (rule == 1) {
        // The step comes from the requested limits; with no interval there is nothing to sum.
        if (e <= i) return 0.0;
        const double h = (to - from) / (e - i);
        double f = y[i] + y[e];
        for (int k = i + 1; k < e; k += 2) {
            f += 4.0 * y[k];
            if (k + 1 < e - 1) f += 2.0 * y[k + 1];
        }
        return h / 3.0 * f;
    }
    double sum = 0.0;
    for (int k = i; k <= e - 2; ++k) {
        if (rule == 0)
            sum += (x[k + 1] - x[k]) * y[k];
        else
            sum += (y[k] + y[k + 1]) / 2.0 * (x[k + 1] - x[k]);
    }
    return sum;
}

int splitNumbers(const std::string& line, std::vector<double>& out) {
    out.clear();
    size_t i = 0;
    const size_t n = line.size();
    while (i < n) {
        while (i < n && (line[i] == ' ' || line[i] == '\t' || line[i] == ','))
            ++i;
        if (i >= n) break;
        const size_t start = i;
        while (i < n && line[i] != ' ' && line[i] != '\t' && line[i] != ',')
            ++i;
        out.push_back(parseDoublePrefix(std::string_view(line).substr(start, i - start)));
    }
    return 1;
}

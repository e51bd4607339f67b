#include "files/DataFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>

#include "core/Messages.h"
#include "core/RunLog.h"
#include "device/SpectrometerDevice.h"
#include "files/Gbk.h"
#include "resources/CoreStrings.h"
#include "resources/FilesStrings.h"
#include "resources/StringTable.h"

namespace {

constexpr const char* kExtensions[kFileTypeCount] = {".data", ".tr",   ".ab",  ".rf",  ".ai",
                                                     ".ri",   ".lmp",  ".wb",  ".cal", ".clr",
                                                     ".data", ".data", ".data"};
constexpr int kValueDecimals[kFileTypeCount] = {1, 3, 3, 3, 3, 3, 3, 3, 10, 1, 3, 1, 1};
constexpr int kMaxDecimals = 20;
// No data file of this program comes near this; a larger file is refused before it is read
// into memory.
constexpr std::uintmax_t kMaxDataFileBytes = 64u << 20;
constexpr const char* kEndMarker = "[END]";
constexpr const char* kDataMarker = "[DATA]";

std::string vformat(const char* format, va_list args) {
    va_list copy;
    va_copy(copy, args);
    const int n = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (n <= 0) return {};
    std::string out(static_cast<size_t>(n) + 1, '\0');
    std::vsnprintf(out.data(), out.size(), format, args);
    out.resize(static_cast<size_t>(n));
    return out;
}

std::string format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));
std::string format(const char* fmt, ...) {
    va_list args;
    va_start(args, fmt);
    std::string out = vformat(fmt, args);
    va_end(args);
    return out;
}

void appendf(std::string& out, const char* fmt, ...) __attribute__((format(printf, 2, 3)));
void appendf(std::string& out, const char* fmt, ...) {
    va_list args;
    va_start(args, fmt);
    out += vformat(fmt, args);
    va_end(args);
}

// Message texts come from the string table and carry their own printf placeholders.
std::string formatId(int id, const std::string& a, const std::string& b = {}) {
    std::string text = loadString(id);
    std::string out;
    size_t arg = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 1 < text.size() && text[i + 1] == 's') {
            out += arg++ == 0 ? a : b;
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

// "\n" becomes CR LF; a CR LF already there stays one.
std::string withCrLf(const std::string& text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) out += '\r';
        out += text[i];
    }
    return out;
}

// Writes bytes to a temporary file beside path and renames it over path, so a failed or
// interrupted write never leaves a partial file in place of a good one.
int writeFileReplacing(const std::string& path, const std::string& bytes) {
    namespace fs = std::filesystem;
    const fs::path target(path);
    fs::path folder = target.parent_path();
    if (folder.empty()) folder = ".";
    std::error_code ec;
    if (path.empty() || fs::is_directory(target, ec) || !fs::is_directory(folder, ec)) {
        showMessage(format("%s.(%s)", loadString(FilesStr::kFileOpenFailed), path.c_str()));
        return 0;
    }
    std::string temp = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    const int fd = mkstemp(temp.data());
    if (fd < 0) {
        showMessage(format("%s.(%s)", loadString(FilesStr::kFileOpenFailed), path.c_str()));
        return 0;
    }
    fchmod(fd, 0644);
    size_t done = 0;
    int error = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            error = errno;
            break;
        }
        done += static_cast<size_t>(n);
    }
    if (!error && ::fsync(fd) != 0) error = errno;
    if (::close(fd) != 0 && !error) error = errno;
    if (!error && std::rename(temp.c_str(), path.c_str()) != 0) error = errno;
    if (error) {
        ::unlink(temp.c_str());
        showMessage(formatId(FilesStr::kWriteFailed, path, std::strerror(error)));
        return 0;
    }
    return 1;
}

// Encodes the UTF-8 text for the file; a character GBK lacks is reported, not mangled.
int encodeAndWrite(const std::string& path, const std::string& utf8) {
    std::string gbk, bad;
    if (!utf8ToGbk(utf8, gbk, &bad)) {
        showMessage(formatId(FilesStr::kNotGbk, path, bad));
        return 0;
    }
    return writeFileReplacing(path, gbk);
}

// Lines of text, split at CR LF, LF or a lone CR, without their ends.
template <typename Fn>
void forEachLine(const std::string& text, Fn&& fn) {
    size_t i = 0;
    const size_t n = text.size();
    while (i < n) {
        size_t j = i;
        while (j < n && text[j] != '\n' && text[j] != '\r')
            ++j;
        if (!fn(std::string_view(text).substr(i, j - i))) return;
        if (j < n && text[j] == '\r' && j + 1 < n && text[j + 1] == '\n') ++j;
        i = j + 1;
    }
}

bool contains(std::string_view line, std::string_view what) {
    return !what.empty() && line.find(what) != std::string_view::npos;
}

// Reads the whole file after the checks every import starts with; false after a message.
bool readDataFile(const std::string& path, std::string& text) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const std::string openFailed = loadString(FilesStr::kFileOpenFailed);
    if (!fs::exists(path, ec)) {
        showMessage(format("%s! \n'%s'", openFailed.c_str(), path.c_str()));
        return false;
    }
    if (!fs::is_regular_file(path, ec)) {
        showMessage(openFailed);
        return false;
    }
    const std::uintmax_t size = fs::file_size(path, ec);
    if (!ec && size > kMaxDataFileBytes) {
        showMessage(formatId(FilesStr::kFileTooLarge, path));
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        showMessage(openFailed);
        return false;
    }
    try {
        text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    } catch (const std::exception&) {
        showMessage(openFailed);
        return false;
    }
    if (in.bad()) {
        showMessage(openFailed);
        return false;
    }
    return true;
}

// Fills a fixed 3700-point slot; the scan has already refused longer files.
int fillSlot(SpectrumSeries& slot, const DataFileScan& scan, int typeCode,
             const std::string& path) {
    if (!allocateSlot(slot)) {
        showMessage(loadString(CoreStr::kAllocateMemoryFail));
        return 0;
    }
    const int n = static_cast<int>(scan.x.size());
    std::copy_n(scan.x.begin(), n, slot.wave.begin());
    std::copy_n(scan.y.begin(), n, slot.value.begin());
    slot.count = n;
    slot.valid = 1;
    slot.typeCode = typeCode;
    slot.typeName = path;
    return 1;
}

bool seriesLoaded(const CSpectrumData& data, const std::string& path) {
    for (const SpectrumSeries& s : data.extraSeries)
        if (s.typeName == path) return true;
    return false;
}

}  // namespace

std::string dataFileTypeName(int type) {
    if (type < 0 || type >= kFileTypeCount) return {};
    return loadString(CoreStr::kFileTypeFirst + type);
}

std::string dataFileExtension(int type) {
    if (type < 0 || type >= kFileTypeCount) return {};
    return kExtensions[type];
}

int dataFileValueDecimals(int type) {
    if (type < 0 || type >= kFileTypeCount) return 1;
    return kValueDecimals[type];
}

std::string formatDataFileHeader(const DataFileHeaderFields& f) {
    std::string h;
    h += "[HEADER]\n";
    appendf(h, "DataType \t = %s\n", f.typeName.c_str());
    appendf(h, "Device \t\t = %s, %s\n", f.modelName.c_str(), f.serialNumber.c_str());
    appendf(h, "Date \t\t = %s\n", f.date.c_str());
    appendf(h, "Integrate Time \t = %dus\n", static_cast<int>(f.acquisition.integrationTimeUs));
    appendf(h, "Average \t = %d\n", static_cast<int>(f.acquisition.averages));
    appendf(h, "BoxCar \t\t = %d\n", static_cast<int>(f.acquisition.boxcarWidth));
    if (f.xUnitLabel) appendf(h, "X_Axis_Unit \t = %s\n", f.xUnitLabel->c_str());
    if (f.fileType == kFileConcentration && f.concentration) {
        const ConcentrationSettings& c = *f.concentration;
        appendf(h, "Compound name \t\t = %s\n", c.compoundName.c_str());
        appendf(h, "Unit \t\t = %s\n", c.concentrationUnit.c_str());
        appendf(h, "Deal method \t\t = %d #[0:Single wavelength,1:Average,2:Integrate]\n",
                c.curveMethod);
        appendf(h, "Single Wavelength \t\t = %f\n", c.curveWavelength);
        appendf(h, "Average wavelength  \t\t = %f-%f\n", c.bandStart, c.bandEnd);
        appendf(h, "Integrate wavelength  \t\t = %f-%f\n", c.integralStart, c.integralEnd);
        appendf(h, "Integrate method \t\t = %d  [0:rectangle,1:Trapezium  2:Simpsons]\n",
                c.integralRule);
    }
    appendf(h, "%s \t\t = %s\n", f.appName.c_str(), f.version.c_str());
    h += "[DATA]\n";
    return h;
}

std::string buildDataFileHeader(CSpectrumData& data, int type, int fileFormat,
                                const SpectrometerInfo& device,
                                const AcquisitionSettings& acquisition,
                                const std::string* xUnitLabel, const std::string& appName,
                                const std::string& version) {
    data.fileLayout = fileFormat;
    DataFileHeaderFields f;
    f.fileType = type;
    f.typeName = dataFileTypeName(type);
    f.modelName = device.modelName;
    f.serialNumber = device.serialNumber;
    char date[32] = {};
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    std::strftime(date, sizeof date, "%Y-%m-%d %H:%M:%S", &local);
    f.date = date;
    f.acquisition = acquisition;
    f.xUnitLabel = xUnitLabel;
    f.concentration = &data.concentration;
    f.appName = appName;
    f.version = version;
    return formatDataFileHeader(f);
}

int writeSeriesFile(CSpectrumData& data, const std::string& path, const std::string& header,
                    const double* x, const double* y, int count) {
    if (count < 0 || (count > 0 && (!x || !y))) count = 0;
    const int decimals = std::clamp(data.valueDecimals, 0, kMaxDecimals);
    std::string text;
    text.reserve(header.size() + static_cast<size_t>(count) * (20 + decimals) + 8);
    if (data.fileLayout == 1) text += withCrLf(header);
    char line[128];
    for (int i = 0; i < count; ++i) {
        const int n = std::snprintf(line, sizeof line, "%.3f\t%.*f\r\n", x[i], decimals, y[i]);
        if (n > 0 && static_cast<size_t>(n) < sizeof line) {
            text.append(line, static_cast<size_t>(n));
        } else {
            // Huge magnitudes do not fit the line buffer; they are still written whole.
            text += format("%.3f\t%.*f\r\n", x[i], decimals, y[i]);
        }
    }
    if (data.fileLayout == 1) text += kEndMarker;
    return encodeAndWrite(path, text);
}

int writeTextFile(CSpectrumData& /*data*/, const std::string& path, const std::string& text) {
    return encodeAndWrite(path, withCrLf(text));
}

DataFileScan scanDataFileText(const std::string& raw, int layout, int expectedType,
                              const std::array<std::string, kFileTypeCount>& typeNames, int limit) {
    DataFileScan scan;
    // Only header texts can hold anything but ASCII; the numbers read the same either way.
    const std::string text = gbkToUtf8(raw);
    bool dataMarkerSeen = false;
    if (layout == 1) {
        int lines = 0;
        forEachLine(text, [&](std::string_view line) {
            if (contains(line, kDataMarker)) {
                dataMarkerSeen = true;
                return false;
            }
            for (int t = 0; t < kFileTypeCount; ++t) {
                if (!contains(line, typeNames[t])) continue;
                if (t != expectedType) scan.typeMismatch = true;
                return false;
            }
            return ++lines < kHeaderScanLines;
        });
        if (scan.typeMismatch) return scan;
    }
    bool skipping = dataMarkerSeen;
    std::vector<double> fields;
    forEachLine(text, [&](std::string_view line) {
        if (skipping) {
            if (!contains(line, kDataMarker)) return true;
            skipping = false;
        }
        splitNumbers(std::string(line), fields);
        if (fields.size() != 2) return true;
        if (limit > 0 && static_cast<int>(scan.x.size()) >= limit) {
            scan.tooManyPoints = true;
            return false;
        }
        scan.x.push_back(fields[0]);
        scan.y.push_back(fields[1]);
        return true;
    });
    scan.result = scan.x.empty() ? 0 : 1;
    return scan;
}

int importDataFile(CSpectrumData& data, const std::string& path, int expectedType) {
    std::string text;
    if (!readDataFile(path, text)) return 0;
    const DataFileScan scan =
        scanDataFileText(text, data.fileLayout, expectedType, data.fileTypeNames, kMaxPixels);
    if (scan.typeMismatch || (!scan.result && !scan.tooManyPoints)) return 0;
    const bool overlay =
        (expectedType >= kFileSpectrum && expectedType <= kFileRelativeIrradiance) ||
        expectedType == kFileRaman;
    const bool table = expectedType == kFileStandardLamp || expectedType == kFileWhiteBoard ||
                       expectedType == kFileCalibrateResult;
    if (!overlay && !table) return 0;
    // The fixed slots hold 3700 points; a longer file is refused whole rather than cut.
    if (scan.tooManyPoints) {
        showMessage(format(loadString(FilesStr::kTooManyPoints), path.c_str(), kMaxPixels));
        return 0;
    }
    const int n = static_cast<int>(scan.x.size());
    if (overlay) {
        if (seriesLoaded(data, path)) return 1;
        return data.addSeries(expectedType, path, scan.x.data(), scan.y.data(), n);
    }
    if (expectedType == kFileStandardLamp) {
        if (!fillSlot(data.standardLamp, scan, expectedType, path)) return 0;
        data.hasStandardLamp = 1;
        if (!seriesLoaded(data, path))
            data.addSeries(kFileAbsoluteIrradiance, path, scan.x.data(), scan.y.data(), n);
        return 1;
    }
    if (expectedType == kFileWhiteBoard) {
        if (!fillSlot(data.whiteBoard, scan, expectedType, path)) return 0;
        data.hasWhiteBoard = 1;
        return 1;
    }
    if (!fillSlot(data.irradianceCal, scan, expectedType, path)) return 0;
    data.hasIrradianceCal = 1;
    return 1;
}

int importConcentrationFile(CSpectrumData& data, const std::string& path) {
    std::string text;
    if (!readDataFile(path, text)) return 0;
    DataFileScan scan =
        scanDataFileText(text, data.fileLayout, kFileConcentration, data.fileTypeNames, 0);
    if (!scan.result) return 0;
    for (RecordEntry& r : data.records) {
        if (r.name == path) {
            r.checked = 1;
            return 1;
        }
    }
    RecordEntry entry;
    entry.name = path;
    entry.typeCode = kFileConcentration;
    entry.count = static_cast<int>(scan.x.size());
    entry.wave = std::move(scan.x);
    entry.value = std::move(scan.y);
    entry.checked = 1;
    data.records.push_back(std::move(entry));
    return 1;
}

void installSeriesFileWriter() {
    CSpectrumData::setSeriesFileWriter(&writeSeriesFile);
}

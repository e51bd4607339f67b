// libFuzzer target: the data-file reader's rules (header scan, line splitting, splitNumbers)
// on arbitrary bytes, with both layouts and every expected type.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/SpectrumData.h"
#include "files/DataFile.h"
#include "files/Gbk.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    static const std::array<std::string, kFileTypeCount> names = {
        "Spectrum file",      "Transmissivity file",      "Absorbance file",
        "Reflectivity file",  "Absolute irradiance file", "Relative irradiance file",
        "Standard lamp file", "White board file",         "Calibrate result file",
        "Color file",         "Raman Spectrum File",      "Power",
        "Concentration"};
    if (size == 0) return 0;
    const std::string text(reinterpret_cast<const char*>(bytes), size);
    const int layout = bytes[0] & 1;
    const int type = bytes[0] % kFileTypeCount;
    const DataFileScan scan = scanDataFileText(text, layout, type, names, kMaxPixels);
    if (scan.x.size() != scan.y.size() || scan.x.size() > static_cast<size_t>(kMaxPixels))
        __builtin_trap();
    if (scan.result != (scan.x.empty() ? 0 : 1)) __builtin_trap();
    std::vector<double> fields;
    splitNumbers(text, fields);
    std::string gbk;
    utf8ToGbk(gbkToUtf8(text), gbk);
    return 0;
}

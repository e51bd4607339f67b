#include "resources/ChartStrings.h"
#include "resources/StringTables.h"

namespace {
const StringEntry kTable[] = {
    {ChartStr::kFwhm, "FWHM", "半峰宽", "半峰寬"},
    {ChartStr::kCwl, "   CWL", "   中心波长", "   中心波長"},
    {ChartStr::kPeak, "Peak", "峰位", "峰位"},
    {ChartStr::kUnit, "Unit", "单位", "單位"},
};
}  // namespace

std::span<const StringEntry> chartStrings() {
    return kTable;
}

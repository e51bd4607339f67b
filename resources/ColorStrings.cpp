#include "resources/ColorStrings.h"
#include "resources/StringTables.h"

namespace {
const StringEntry kTable[] = {
    {ColorStr::kTristimulusError, "Calculate Tristimulus Values error!", "计算三刺激值错误！",
     "計算三刺激值錯誤！"},
};
}  // namespace

std::span<const StringEntry> colorStrings() {
    return kTable;
}

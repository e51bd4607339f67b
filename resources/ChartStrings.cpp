#include "resources/ChartStrings.h"
#include "resources/StringTables.h"

namespace {
const StringEntry kTable[] = {
    {0, "", "", ""},  // placeholder until the subsystem adds its texts
};
}  // namespace

std::span<const StringEntry> chartStrings() {
    return {kTable + 1, kTable + 1};
}

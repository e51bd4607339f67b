#include "device/AcquisitionSettings.h"

#include <climits>
#include <cmath>
#include <cstdio>

#include "core/NumberParse.h"
#include "resources/DeviceStrings.h"
#include "resources/StringTable.h"

namespace {

constexpr TriggerModeItem kTriggerModes[kTriggerModeCount] = {
    {DeviceStr::kTriggerNormal, kTriggerNormal},
    {DeviceStr::kTriggerSoftware, kTriggerSoftware},
    {DeviceStr::kTriggerSynchronization, kTriggerSynchronization},
    {DeviceStr::kTriggerExternalHardware, kTriggerExternalHardware},
    {DeviceStr::kTriggerOutput, kTriggerOutput},
};

}  // namespace

int timeUnitFactor(int unit) {
    if (unit == kTimeUnitS) return 1'000'000;
    if (unit == kTimeUnitUs) return 1;
    return 1000;
}

const char* timeUnitName(int unit) {
    if (unit == kTimeUnitS) return "s";
    if (unit == kTimeUnitUs) return "us";
    return "ms";
}

int parseIntegrationTime(const char* text, int unit) {
    const double us = parseDoublePrefix(text ? text : "") * timeUnitFactor(unit);
    if (std::isnan(us)) return 0;
    // Decimal fractions are not exact in binary: 4.1 ms is 4099.9999999999995 µs. A nudge far
    // below one µs keeps the truncation from losing a whole µs to that error.
    const double nudged = us + std::copysign(1e-9 + std::fabs(us) * 1e-12, us);
    if (nudged >= static_cast<double>(INT_MAX)) return INT_MAX;
    if (nudged <= static_cast<double>(INT_MIN)) return INT_MIN;
    return static_cast<int>(std::trunc(nudged));
}

std::string formatIntegrationTime(int us, int unit) {
    char buffer[32];
    if (unit == kTimeUnitS) {
        std::snprintf(buffer, sizeof buffer, "%.3f", us / 1'000'000.0);
        return buffer;
    }
    int shown = us / timeUnitFactor(unit);
    if (shown < 1) shown = 1;
    std::snprintf(buffer, sizeof buffer, "%d", shown);
    return buffer;
}

RangeCheckResult checkRangeRule(int min, int value, int max) {
    RangeCheckResult r{value, false};
    if (value < min || value > max) r.outOfRange = true;
    if (value < min) r.value = min;
    if (value > max) r.value = max;
    return r;
}

std::string rangeMessage(const char* name, int min, int max, int controlId) {
    const char* pattern = loadString(controlId == kIntegrationControlId ? DeviceStr::kRangeMessageUs
                                                                        : DeviceStr::kRangeMessage);
    const int n = std::snprintf(nullptr, 0, pattern, name, min, max);
    if (n <= 0) return {};
    std::string out(static_cast<size_t>(n), '\0');
    std::snprintf(out.data(), out.size() + 1, pattern, name, min, max);
    return out;
}

const TriggerModeItem* triggerModeTable() {
    return kTriggerModes;
}

int triggerModeIndex(int code) {
    for (int i = 0; i < kTriggerModeCount; ++i)
        if (kTriggerModes[i].code == code) return i;
    return -1;
}

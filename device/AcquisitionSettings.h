#pragma once
// The block of acquisition and display settings that views, capture pages and file writers copy
// whole. Eighteen 32-bit integers in this order; owned by the settings pane (UI thread).

#include <cstdint>
#include <string>

inline constexpr int kTriggerNormal = 17;
inline constexpr int kTriggerSoftware = 18;
inline constexpr int kTriggerExternalHardware = 19;
inline constexpr int kTriggerSynchronization = 20;
inline constexpr int kTriggerOutput = 21;

struct AcquisitionSettings {
    int32_t integrationTimeUs = 4000;     ///< µs
    int32_t boxcarWidth = 1;              ///< 1..1000
    int32_t averages = 1;                 ///< scans to average, 1..10000
    int32_t triggerMode = 0;              ///< trigger-mode code; 0 until a mode is chosen
    int32_t blackbodyTemperature = 2800;  ///< K, 1..10000
    int32_t blackbodyIntensity = 100;     ///< %, 1..100
    int32_t colorTemperature = 2800;      ///< test colour sample temperature, K, 1..10000
    int32_t baselineOffset = 0;           ///< %, -100..100
    int32_t showPeak = 0;                 ///< "PEAK"
    int32_t showFwhm = 0;                 ///< "FWHM"
    int32_t showCwl = 0;                  ///< "CWL (Center Wavelength)"
    int32_t removeBackground = 0;         ///< "Remove Background Light"
    int32_t timeUnit = 0;                 ///< unit of the integration time field: 0 ms, 1 s, 2 us
    int32_t triggerHighMs = 10;           ///< "High Level(ms)"
    int32_t triggerLowMs = 10;            ///< "Low Level(ms)"
    int32_t triggerPulses = 1;            ///< "Pulse Number"
    int32_t triggerEnable = 1;            ///< enable flag passed with the pulse settings
    int32_t nonlinearCorrection = 0;      ///< "Nonlinear correction", from the configuration
};
static_assert(sizeof(AcquisitionSettings) == 18 * sizeof(int32_t));

// ---- the panel's pure rules ----

inline constexpr int kTimeUnitMs = 0;
inline constexpr int kTimeUnitS = 1;
inline constexpr int kTimeUnitUs = 2;
inline constexpr int kTimeUnitCount = 3;

inline constexpr int kIntegrationControlId = 1001;  ///< the range message names "us" for it
inline constexpr int kIntegrationSpinMinUs = 4;     ///< the spin's range until a device connects
inline constexpr int kIntegrationSpinMaxUs = 10'000'000;

/// µs per unit: ms 1000, s 1 000 000, us 1 (an unknown unit counts as ms).
int timeUnitFactor(int unit);
/// The unit's name as the unit list shows it: "ms", "s", "us".
const char* timeUnitName(int unit);

/// The text as a floating-point number (C convention) times the unit factor, truncated to
/// whole µs. Values beyond the int range are held at its ends; no number reads 0.
int parseIntegrationTime(const char* text, int unit);
/// Unit s: "%.3f" of µs / 1 000 000; ms and us: "%d" of µs / factor truncated, 1 when below 1.
std::string formatIntegrationTime(int us, int unit);

/// The outcome of a range check: the value held inside min..max, and whether it was outside.
struct RangeCheckResult {
    int value = 0;
    bool outOfRange = false;
};
RangeCheckResult checkRangeRule(int min, int value, int max);
/// "%s value out of range %d-%dus !" for the integration time (control 1001), else
/// "%s value out of range %d-%d!", in the UI language.
std::string rangeMessage(const char* name, int min, int max, int controlId);

/// One entry of the trigger-mode list.
struct TriggerModeItem {
    int textId;  ///< string id of the item's text
    int code;    ///< trigger-mode code passed to the driver
};
inline constexpr int kTriggerModeCount = 5;
/// The list in its order: "Normal" 17, "Software" 18, "Synchronization" 20,
/// "External hardware" 19, "Trigger Output" 21.
const TriggerModeItem* triggerModeTable();
/// Index of code in the list, -1 when it is none of the five.
int triggerModeIndex(int code);

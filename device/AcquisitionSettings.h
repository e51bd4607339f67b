#pragma once
// The block of acquisition and display settings that views, capture pages and file writers copy
// whole. Eighteen 32-bit integers in this order; owned by the settings pane (UI thread).

#include <cstdint>

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

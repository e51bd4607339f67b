#pragma once
// The table of the 25 driver functions through which every device call of the program goes.
// It is filled either from a vendor library (DriverLoader.h) or from the built-in simulator.

#include <array>
#include <string_view>

#include "platform/spectrometer/Spectrometer.h"

struct SpectrometerApi {
    decltype(&SPGetAllDevices) getAllDevices = nullptr;
    decltype(&SPConnect) connect = nullptr;
    decltype(&SPClose) close = nullptr;
    decltype(&SPSetState) setState = nullptr;
    decltype(&SPGetDeviceModelName) getDeviceModelName = nullptr;
    decltype(&SPGetSN) getSN = nullptr;
    decltype(&SPGetFirmWareVer) getFirmWareVer = nullptr;
    decltype(&SPGetResolution) getResolution = nullptr;
    decltype(&SPGetSlit) getSlit = nullptr;
    decltype(&SPGetGratting) getGratting = nullptr;
    decltype(&SPGetLens) getLens = nullptr;
    decltype(&SPGetFilter) getFilter = nullptr;
    decltype(&SPReadCalData) readCalData = nullptr;
    decltype(&SPSetCalData) setCalData = nullptr;
    decltype(&SPGetCCDInfo) getCCDInfo = nullptr;
    decltype(&SPGetWaveLengthRange) getWaveLengthRange = nullptr;
    decltype(&SPGetIntegrateTimeRange) getIntegrateTimeRange = nullptr;
    decltype(&SPGetComProtocol) getComProtocol = nullptr;
    decltype(&SPGetADDigits) getADDigits = nullptr;
    decltype(&SPReadNLCalData) readNLCalData = nullptr;
    decltype(&SPConfig) config = nullptr;
    decltype(&SPSetTriggerPulse) setTriggerPulse = nullptr;
    decltype(&SPReadDoubleCCD) readDoubleCCD = nullptr;
    decltype(&SPPixelToWaveLength) pixelToWaveLength = nullptr;
    decltype(&SPWaveLengthToPixel) waveLengthToPixel = nullptr;
};

/// The exported names of the 25 functions, in the order of SpectrometerApi's members.
inline constexpr std::array<std::string_view, 25> kSpectrometerSymbols = {
    "SPGetAllDevices",
    "SPConnect",
    "SPClose",
    "SPSetState",
    "SPGetDeviceModelName",
    "SPGetSN",
    "SPGetFirmWareVer",
    "SPGetResolution",
    "SPGetSlit",
    "SPGetGratting",
    "SPGetLens",
    "SPGetFilter",
    "SPReadCalData",
    "SPSetCalData",
    "SPGetCCDInfo",
    "SPGetWaveLengthRange",
    "SPGetIntegrateTimeRange",
    "SPGetComProtocol",
    "SPGetADDigits",
    "SPReadNLCalData",
    "SPConfig",
    "SPSetTriggerPulse",
    "SPReadDoubleCCD",
    "SPPixelToWaveLength",
    "SPWaveLengthToPixel",
};

/// True when all 25 entries are set.
bool isComplete(const SpectrometerApi& api);

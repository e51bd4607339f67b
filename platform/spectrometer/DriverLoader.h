#pragma once
// Loads a vendor's build of the driver library with dlopen and resolves the 25 functions.

#include <string>
#include <vector>

#include "platform/spectrometer/SpectrometerApi.h"

struct DriverLoadResult {
    bool ok = false;                   ///< all 25 symbols resolved; api is usable
    std::string path;                  ///< the library that was tried
    std::string error;                 ///< dlopen's message when the file could not be opened
    std::vector<std::string> missing;  ///< symbols the library lacks (empty when ok)
    SpectrometerApi api;               ///< filled only when ok
};

/// Opens path and resolves every symbol. A library lacking any symbol is closed again and
/// refused. A library that loaded stays loaded for the life of the process.
DriverLoadResult loadDriverLibrary(const std::string& path);

/// The library to try: $CORVANE_DRIVER when set and not empty, else libspectrometer.so in
/// programDir.
std::string driverLibraryPath(const std::string& programDir);

#pragma once
// Which driver the program talks to: a vendor's library found at start-up, else the built-in
// simulator. Chosen once on the UI thread before any device object is made.

#include <string>

#include "platform/spectrometer/SpectrometerApi.h"

/// The table every device object uses unless it is given another.
const SpectrometerApi& activeDriver();
/// True when a vendor library was loaded (the device manager then starts with "Simulator" off).
bool vendorDriverLoaded();
/// Tries $CORVANE_DRIVER, else libspectrometer.so beside the program; a library that is missing
/// or lacks any of the 25 functions is logged and the simulator is used. Returns true for a
/// vendor library.
bool initSpectrometerDriver(const std::string& programDir);

/// The folder of the running executable.
std::string programDirectory();

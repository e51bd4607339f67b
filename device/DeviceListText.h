#pragma once
// The texts the Device Manager window shows: list rows and the information tree.

#include <string>
#include <vector>

#include "device/SpectrometerDevice.h"

/// One row of the device list: number (from 1), model, serial number, state text.
struct DeviceRowText {
    std::string number, model, serial, state;
};
DeviceRowText deviceRowText(const SpectrometerInfo& info, int row);

/// The information tree's lines under its root: 7 for protocol 0x101 and below, 10 above.
/// With no device, the lines of the given protocol each show their name and ": N/A".
std::vector<std::string> deviceTreeLines(const SpectrometerInfo* info, unsigned protocolVersion);
inline int deviceTreeLineCount(unsigned protocolVersion) {
    return protocolVersion > 0x101 ? 10 : 7;
}

/// Serial numbers of protocol below 257 are shown as ...-XXXX-XX-XXXX.
std::string dashedSerial(const std::string& serial);
/// The part after the first ':' when that ':' is not the first character, else empty.
std::string textAfterColon(const std::string& labelled);

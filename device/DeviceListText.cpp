#include "device/DeviceListText.h"

#include <cstdio>

#include "resources/DeviceStrings.h"
#include "resources/StringTable.h"

namespace {

constexpr unsigned kProtocolWithPlainSerial = 257;

std::string format(const char* fmt, const std::string& name, const std::string& value) {
    char line[512];
    std::snprintf(line, sizeof line, fmt, name.c_str(), value.c_str());
    return line;
}

}  // namespace

DeviceRowText deviceRowText(const SpectrometerInfo& info, int row) {
    return {std::to_string(row + 1), info.modelName, info.serialNumber,
            loadString(info.state == kStateConnected ? DeviceStr::kStateConnected
                                                     : DeviceStr::kStateIdle)};
}

std::string dashedSerial(const std::string& serial) {
    std::string s = serial;
    for (size_t fromEnd : {4u, 7u, 12u}) {
        if (s.size() < fromEnd) break;
        const auto at = static_cast<std::ptrdiff_t>(s.size() - fromEnd);
        s.insert(s.begin() + at, '-');
    }
    return s;
}

std::string textAfterColon(const std::string& labelled) {
    const size_t colon = labelled.find(':');
    if (colon == std::string::npos || colon == 0) return {};
    return labelled.substr(colon + 1);
}

std::vector<std::string> deviceTreeLines(const SpectrometerInfo* info, unsigned protocolVersion) {
    const bool full = protocolVersion > 0x101;
    std::vector<int> names = {DeviceStr::kModel,      DeviceStr::kSn,   DeviceStr::kWavelength,
                              DeviceStr::kResolution, DeviceStr::kSlit, DeviceStr::kDetector};
    if (full)
        names.insert(names.end(), {DeviceStr::kGrating, DeviceStr::kLens, DeviceStr::kFilter});
    names.push_back(DeviceStr::kFirmware);

    std::vector<std::string> lines;
    if (!info) {
        for (int id : names)
            lines.push_back(std::string("  ") + loadString(id) + ": " +
                            loadString(DeviceStr::kNotAvailable));
        return lines;
    }
    auto name = [](int id) { return std::string(loadString(id)); };
    lines.push_back(format("  %s: %s", name(DeviceStr::kModel), info->modelName));
    lines.push_back(format("  %s: %s", name(DeviceStr::kSn),
                           info->protocolVersion < kProtocolWithPlainSerial
                               ? dashedSerial(info->serialNumber)
                               : info->serialNumber));
    char line[512];
    std::snprintf(line, sizeof line, "  %s: %4.2f-%4.2f nm", name(DeviceStr::kWavelength).c_str(),
                  info->wavelengthStart, info->wavelengthEnd);
    lines.push_back(line);
    lines.push_back(
        format("  %s:%s", name(DeviceStr::kResolution), textAfterColon(info->resolution)));
    lines.push_back(format("  %s:%s", name(DeviceStr::kSlit), textAfterColon(info->slit)));
    std::snprintf(line, sizeof line, "  %s: %d pixles", name(DeviceStr::kDetector).c_str(),
                  info->usablePixels());
    lines.push_back(line);
    if (full) {
        lines.push_back(format("  %s: %s", name(DeviceStr::kGrating), info->grating));
        lines.push_back(format("  %s: %s", name(DeviceStr::kLens), info->lens));
        lines.push_back(format("  %s: %s", name(DeviceStr::kFilter), info->filter));
    }
    lines.push_back(format("  %s: %s", name(DeviceStr::kFirmware), info->firmwareVersion));
    return lines;
}

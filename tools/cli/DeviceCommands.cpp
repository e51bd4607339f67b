#include "tools/cli/DeviceCommands.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include <nlohmann/json.hpp>

#include "acquisition/AcquisitionThread.h"
#include "core/NumberParse.h"
#include "core/SpectrumData.h"
#include "device/AcquisitionSettings.h"
#include "device/DeviceManager.h"
#include "device/Driver.h"
#include "platform/simulator/Simulator.h"
#include "tools/cli/CliArgs.h"
#include "tools/cli/DataFileCommands.h"

namespace {

using Json = nlohmann::ordered_json;

int fail(const std::string& message) {
    std::fprintf(stderr, "corvane-cli: %s\n", message.c_str());
    return 1;
}

void startDriver() {
    initSpectrometerDriver(programDirectory());
}

Json deviceJson(const SpectrometerInfo& info) {
    Json j;
    j["id"] = info.deviceId;
    j["model"] = info.modelName;
    j["serial"] = info.serialNumber;
    j["pixels"] = info.usablePixels();
    j["wavelength_start"] = info.wavelengthStart;
    j["wavelength_end"] = info.wavelengthEnd;
    return j;
}

const std::map<std::string, int> kScenes = {
    {"dark", CORVANE_SIM_DARK},   {"lamp", CORVANE_SIM_LAMP}, {"sample", CORVANE_SIM_SAMPLE},
    {"lines", CORVANE_SIM_LINES}, {"led", CORVANE_SIM_LED},
};

}  // namespace

int runDevicesCommand(int argc, char** argv) {
    bool json = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--json") == 0)
            json = true;
        else
            return fail(std::string("unknown option ") + argv[i] + " (usage: devices [--json])");
    }
    startDriver();
    CSpectrumData record;
    DeviceManager manager(record);
    manager.simulator = vendorDriverLoaded() ? 0 : 1;
    CSpectrometerDevice::setClosePause(std::chrono::milliseconds(50));
    manager.search();
    if (json) {
        Json list = Json::array();
        for (const SpectrometerInfo& info : manager.devices)
            list.push_back(deviceJson(info));
        std::printf("%s\n", list.dump(2).c_str());
        return 0;
    }
    if (manager.devices.empty()) {
        std::printf("No spectrometer found.\n");
        return 0;
    }
    std::printf("%-6s %-24s %-16s %7s  %s\n", "ID", "Model", "SN", "Pixels", "Wavelength (nm)");
    for (const SpectrometerInfo& info : manager.devices)
        std::printf("%-6d %-24s %-16s %7d  %.2f-%.2f\n", info.deviceId, info.modelName.c_str(),
                    info.serialNumber.c_str(), info.usablePixels(), info.wavelengthStart,
                    info.wavelengthEnd);
    return 0;
}

int runAcquireCommand(int argc, char** argv) {
    std::string scene = "lamp", outPath;
    int integrationUs = 4000, averages = 1, boxcar = 1, frames = 1, deviceId = SP_SIMULATOR_ID;
    int layout = 0;
    bool json = false, sceneGiven = false;
    const char* usage =
        "usage: acquire [--scene dark|lamp|sample|lines|led] [--integration-us N] "
        "[--averages N] [--boxcar N] [--frames N] [--device ID] [--json] [--out FILE "
        "[--layout 0|1]]";
    for (int i = 1; i < argc; ++i) {
        const std::string opt = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        auto needValue = [&]() {
            if (!value) return false;
            ++i;
            return true;
        };
        if (opt == "--json") {
            json = true;
        } else if (opt == "--scene") {
            if (!needValue() || !kScenes.count(value))
                return fail("--scene needs one of dark, lamp, sample, lines, led");
            scene = value;
            sceneGiven = true;
        } else if (opt == "--integration-us") {
            if (!needValue() ||
                !parseIntOption(value, 1, std::numeric_limits<int>::max(), integrationUs))
                return fail("--integration-us needs a whole number of microseconds");
        } else if (opt == "--averages") {
            if (!needValue() || !parseIntOption(value, 1, 10000, averages))
                return fail("--averages needs a whole number from 1 to 10000");
        } else if (opt == "--boxcar") {
            if (!needValue() || !parseIntOption(value, 1, 1000, boxcar))
                return fail("--boxcar needs a whole number from 1 to 1000");
        } else if (opt == "--frames") {
            if (!needValue() || !parseIntOption(value, 1, 1000000, frames))
                return fail("--frames needs a whole number from 1 to 1000000");
        } else if (opt == "--device") {
            if (!needValue() ||
                !parseIntOption(value, 0, std::numeric_limits<int>::max(), deviceId))
                return fail("--device needs a device id");
        } else if (opt == "--out") {
            if (!needValue() || !*value) return fail("--out needs a file name");
            outPath = value;
        } else if (opt == "--layout") {
            if (!needValue() || !parseIntOption(value, 0, 1, layout))
                return fail("--layout needs 0 (data lines only) or 1 (with header)");
        } else {
            return fail("unknown option " + opt + "\n" + usage);
        }
    }

    startDriver();
    if (vendorDriverLoaded()) {
        if (sceneGiven)
            return fail("--scene needs the built-in simulator, a driver library is loaded");
    } else {
        corvaneSimSetScene(kScenes.at(scene));
    }

    CSpectrumData record;
    DeviceManager manager(record);
    manager.simulator = deviceId == SP_SIMULATOR_ID ? 1 : 0;
    manager.autoConnect = 0;
    CSpectrometerDevice::setClosePause(std::chrono::milliseconds(50));
    manager.search();
    const auto entry =
        std::find_if(manager.devices.begin(), manager.devices.end(),
                     [&](const SpectrometerInfo& e) { return e.deviceId == deviceId; });
    if (entry == manager.devices.end())
        return fail("no spectrometer with id " + std::to_string(deviceId) + " was found");
    if (entry->integrationRangeValid &&
        (integrationUs < entry->integrationMinUs || integrationUs > entry->integrationMaxUs))
        return fail("integration time " + std::to_string(integrationUs) +
                    " us is outside the device's range " + std::to_string(entry->integrationMinUs) +
                    "-" + std::to_string(entry->integrationMaxUs) + " us");

    CSpectrometerDevice& device = manager.device();
    manager.selectionMark = static_cast<int>(entry - manager.devices.begin());
    if (!manager.connectSelected()) return fail("cannot connect to the spectrometer");
    device.averages = averages;
    device.setBoxcar(boxcar);
    if (!device.configure(integrationUs, device.triggerMode,
                          static_cast<uint8_t>(averages & 0xFF)) ||
        device.boxcar != boxcar)
        return fail("the spectrometer refused the integration time or boxcar width");

    RunControl control;
    AcquisitionThread thread(record, device, control);
    thread.pauseAfter(frames);
    thread.start();
    // Each average costs averages + 1 reads; allow twice the paced time and 10 s of slack.
    const double frameSeconds = (integrationUs + 1500.0) / 1e6 + 0.002;
    const auto limit = std::chrono::steady_clock::now() +
                       std::chrono::milliseconds(static_cast<long long>(
                           2000.0 * frames * (averages + 1) * frameSeconds + 10000.0));
    while (thread.framesPublished() < frames && std::chrono::steady_clock::now() < limit)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    thread.stop();
    const long long published = thread.framesPublished();
    if (published < frames) {
        manager.device().disconnect();
        return fail("only " + std::to_string(published) + " of " + std::to_string(frames) +
                    " frames arrived in time");
    }

    std::vector<double> wave(kMaxPixels), value(kMaxPixels);
    int n = 0;
    record.getSpectrum(wave.data(), value.data(), &n);
    const SpectrometerInfo info = *entry;
    manager.device().disconnect();
    if (n <= 0) return fail("the spectrometer delivered an empty frame");

    double lo = value[0], hi = value[0], sum = 0.0;
    for (int i = 0; i < n; ++i) {
        lo = std::min(lo, value[i]);
        hi = std::max(hi, value[i]);
        sum += value[i];
    }
    if (!outPath.empty()) {
        // The spectrum view's export format, so that the file imports like one.
        AcquisitionSettings acquisition;
        acquisition.integrationTimeUs = integrationUs;
        acquisition.averages = averages;
        acquisition.boxcarWidth = boxcar;
        std::string error;
        if (!writeSpectrumExport(outPath, layout, info, acquisition, wave.data(), value.data(), n,
                                 error))
            return fail(error);
    }
    if (json) {
        Json j;
        j["device"] = deviceJson(info);
        j["frames_published"] = published;
        j["points"] = n;
        j["wavelength_first"] = wave[0];
        j["wavelength_last"] = wave[n - 1];
        j["min"] = lo;
        j["max"] = hi;
        j["mean"] = sum / n;
        std::printf("%s\n", j.dump(2).c_str());
    } else {
        std::printf("Device      %s (%s), id %d\n", info.modelName.c_str(),
                    info.serialNumber.c_str(), info.deviceId);
        std::printf("Frames      %lld published\n", published);
        std::printf("Points      %d, %.3f-%.3f nm\n", n, wave[0], wave[n - 1]);
        std::printf("Counts      min %.1f, max %.1f, mean %.1f\n", lo, hi, sum / n);
        if (!outPath.empty()) std::printf("Written     %s\n", outPath.c_str());
    }
    return 0;
}

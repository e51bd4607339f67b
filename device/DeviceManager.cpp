#include "device/DeviceManager.h"

#include <algorithm>
#include <vector>

#include "core/RunLog.h"
#include "core/SpectrumData.h"

namespace {
constexpr int kManualConnectLogNumber = 331;
constexpr int kAutoConnectLogNumber = 409;
}  // namespace

DeviceManager::DeviceManager(CSpectrumData& record, const SpectrometerApi& api)
    : record_(record), api_(api), device_(api) {}

DeviceManager::~DeviceManager() {
    if (device_.hasHandle()) device_.disconnect();
}

int DeviceManager::search() {
    int ids[SP_MAX_DEVICES] = {};
    const int n = device_.scan(ids);
    std::vector<int> found(ids, ids + n);
    if (simulator) found.push_back(SP_SIMULATOR_ID);

    // Entries no longer reported go; the device is let go first if it was one of them.
    auto gone = [&](const SpectrometerInfo& e) {
        return std::find(found.begin(), found.end(), e.deviceId) == found.end();
    };
    for (const SpectrometerInfo& e : devices)
        if (gone(e) && e.state == kStateConnected && device_.hasHandle()) device_.disconnect();
    std::erase_if(devices, gone);
    if (found.empty()) return 0;

    for (int id : found) {
        const bool listed =
            std::any_of(devices.begin(), devices.end(),
                        [id](const SpectrometerInfo& e) { return e.deviceId == id; });
        if (listed) continue;
        CSpectrometerDevice probe(api_);
        if (!probe.connect(id)) continue;
        SpectrometerInfo info;
        info.deviceId = id;
        if (probe.readInfo(probe.handle, info)) devices.push_back(info);
        probe.disconnect();
    }
    return static_cast<int>(devices.size());
}

int DeviceManager::readNonlinearCoefficients() {
    if (!device_.isConnected()) return 0;
    double k[SP_MAX_NL_COEFFS] = {};
    int n = 0;
    if (!device_.readNonlinear(k, &n)) {
        record_.nonlinearCount = 0;
        return 0;
    }
    if (n == 6) {
        std::copy(k, k + 6, record_.nonlinearCoeff.begin());
        record_.nonlinearCount = 6;
    }
    return 1;
}

int DeviceManager::setWavelengthAxis(const SpectrometerInfo& entry) {
    if (entry.state != kStateConnected) return 0;
    const int n = entry.usablePixels();
    // A pixel count the record cannot hold is a failed axis, not a silent success.
    if (n <= 0 || n > kMaxPixels) return 0;
    std::vector<double> wave(n);
    if (!device_.readWavelengths(wave.data(), n)) return 0;
    return record_.setSpectrum(wave.data(), nullptr, n);
}

int DeviceManager::completeConnect(int row, int failureLogNumber) {
    SpectrometerInfo& entry = devices[row];
    entry.state = kStateConnected;
    device_.connectionState = kStateConnected;
    device_.setDriverState(kStateConnected);
    readNonlinearCoefficients();
    if (setWavelengthAxis(SpectrometerInfo(entry))) {
        entry.state = kStateConnected;
        device_.connectionState = kStateConnected;
        device_.setDriverState(kStateConnected);
        device_.configure(device_.integrationTimeUs, device_.triggerMode,
                          static_cast<uint8_t>(device_.averages.load() & 0xFF));
        if (device_.triggerMode == 21 && device_.protocolVersion > kProtocolWithAccessories) {
            const TriggerPulseSettings p =
                triggerPulseSource ? triggerPulseSource() : TriggerPulseSettings{};
            device_.setTriggerPulse(p.highMs, p.lowMs, p.pulses, p.enable);
        }
        record_.scaleFactor = device_.scaleFactor;
        return 1;
    }
    logWrite("SetWaveLengthArray error,%d", failureLogNumber);
    device_.disconnect();
    entry.state = kStateIdle;
    device_.connectionState = kStateIdle;
    device_.setDriverState(kStateIdle);
    return 0;
}

int DeviceManager::connectSelected() {
    if (selectionMark < 0 || selectionMark >= static_cast<int>(devices.size())) return 0;
    for (SpectrometerInfo& e : devices) {
        if (e.state != kStateConnected) continue;
        if (device_.hasHandle()) device_.disconnect();
        e.state = kStateIdle;
    }
    if (!device_.connect(devices[selectionMark].deviceId)) return 0;
    return completeConnect(selectionMark, kManualConnectLogNumber);
}

int DeviceManager::disconnectSelected() {
    if (selectionMark < 0 || selectionMark >= static_cast<int>(devices.size())) return 0;
    device_.disconnect();
    devices[selectionMark].state = kStateIdle;
    device_.setDriverState(kStateIdle);
    return 1;
}

DeviceManager::TickResult DeviceManager::tick() {
    TickResult result;
    device_.checkPresence(false);
    // Polling stands in for the system's device-change notification: a change in the reported
    // ids asks for a refresh of the list.
    int ids[SP_MAX_DEVICES] = {};
    const int n = device_.scan(ids, false);
    if (n >= 0) {
        for (const SpectrometerInfo& e : devices) {
            if (e.deviceId == SP_SIMULATOR_ID) continue;
            if (std::find(ids, ids + n, e.deviceId) == ids + n) refreshRequested = 1;
        }
        for (int i = 0; i < n; ++i) {
            if (std::none_of(devices.begin(), devices.end(),
                             [&](const SpectrometerInfo& e) { return e.deviceId == ids[i]; }))
                refreshRequested = 1;
        }
    }
    const bool simulatorListed =
        std::any_of(devices.begin(), devices.end(),
                    [](const SpectrometerInfo& e) { return e.deviceId == SP_SIMULATOR_ID; });
    if (simulatorListed != (simulator != 0)) refreshRequested = 1;
    if (devices.empty() || refreshRequested) {
        search();
        refreshRequested = 0;
        result.listChanged = true;
    }
    if (autoConnect && devices.size() == 1 && !device_.isConnected() &&
        device_.connect(devices[0].deviceId)) {
        result.connected = completeConnect(0, kAutoConnectLogNumber) == 1;
    }
    return result;
}

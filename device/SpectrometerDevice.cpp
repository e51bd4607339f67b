#include "device/SpectrometerDevice.h"

#include <algorithm>
#include <cstring>
#include <string_view>
#include <thread>

#include "core/NumberParse.h"
#include "core/RunLog.h"

namespace {

// One lock for the driver library: vendor drivers are not reentrant, and a handle must never
// be used by one thread while the other closes it.
std::recursive_mutex& driverLock() {
    static std::recursive_mutex lock;
    return lock;
}

std::atomic<long long> g_closePauseMs{500};

constexpr int kAllDevicesBuffer = SP_MAX_DEVICES;
constexpr int kSpRemovedLogNumber = 41;

// A driver text buffer as a string; the buffer is terminated here whatever the driver wrote.
std::string textOf(char (&buffer)[SP_TEXT_SIZE]) {
    buffer[SP_TEXT_SIZE - 1] = '\0';
    return std::string(buffer, strnlen(buffer, SP_TEXT_SIZE));
}

template <typename Query>
bool readText(Query query, SPHANDLE h, std::string& out) {
    char buffer[SP_TEXT_SIZE] = {};
    if (!query || !query(h, buffer)) return false;
    out = textOf(buffer);
    return true;
}

}  // namespace

bool isOldFirmware(const std::string& firmware, unsigned protocolVersion) {
    // month.day.year: a month before the first '.', a year after the second.
    const size_t first = firmware.size() > 1 ? firmware.find('.', 1) : std::string::npos;
    const size_t second = first == std::string::npos ? first : firmware.find('.', first + 1);
    const bool readable = first != std::string::npos && second != std::string::npos;
    if (!readable) logWrite("Invalid Firmware version. %s .", firmware.c_str());
    // The date only matters on protocol 1 and older: a newer device is never scaled up, or an
    // odd firmware text would multiply every frame it delivers.
    if (protocolVersion > 1) return false;
    if (!readable) return true;
    const long month = parseLongPrefix(std::string_view(firmware).substr(0, first));
    const long year = parseLongPrefix(std::string_view(firmware).substr(second + 1));
    return year < 2015 || (year == 2015 && month < 8);
}

int firmwareScaleFactor(const std::string& firmware, unsigned protocolVersion,
                        const std::string& modelName) {
    if (!isOldFirmware(firmware, protocolVersion)) return 1;
    if (modelName.find("KVR-2104") != std::string::npos ||
        modelName.find("KVR-2704") != std::string::npos)
        return 5;
    return 3;
}

void CSpectrometerDevice::setClosePause(std::chrono::milliseconds pause) {
    g_closePauseMs.store(pause.count());
}

CSpectrometerDevice::CSpectrometerDevice(const SpectrometerApi& api) : api_(api) {}

CSpectrometerDevice::~CSpectrometerDevice() {
    std::lock_guard lock(driverLock());
    if (handle) disconnectLocked();
}

bool CSpectrometerDevice::hasHandle() const {
    std::lock_guard lock(driverLock());
    return handle != nullptr;
}

SPHANDLE CSpectrometerDevice::connect(int id) {
    std::lock_guard lock(driverLock());
    // One handle at a time: a second connect first lets go of the first device.
    if (handle) disconnectLocked();
    SPHANDLE h = api_.connect ? api_.connect(id) : nullptr;
    if (!h) {
        connectionState = kStateIdle;
        if (api_.setState) api_.setState(nullptr, kStateIdle);
        return nullptr;
    }
    handle = h;
    connectionState = kStateConnected;
    api_.setState(h, kStateConnected);
    deviceId = connectedId = id;
    readInfo(h, *this);
    return h;
}

int CSpectrometerDevice::readInfo(SPHANDLE h, SpectrometerInfo& d) {
    std::lock_guard lock(driverLock());
    if (connectionState.load() == kStateIdle || !h) return 0;
    if (!readText(api_.getDeviceModelName, h, d.modelName)) return 0;
    if (!readText(api_.getSN, h, d.serialNumber)) return 0;
    {
        char date[SP_TEXT_SIZE] = {};
        double c[4] = {};
        if (!api_.readCalData(h, c, date)) return 0;
        std::copy(c, c + 4, d.calCoefficients);
        d.calibrationDate = textOf(date);
    }
    if (!readText(api_.getFirmWareVer, h, d.firmwareVersion)) return 0;
    if (!api_.getCCDInfo(h, &d.ccdPixels, &d.ccdHiddenPixels, &d.ccdInfo3)) return 0;
    if (!api_.getWaveLengthRange(h, &d.wavelengthStart, &d.wavelengthEnd)) return 0;
    if (!readText(api_.getResolution, h, d.resolution)) return 0;
    if (!readText(api_.getSlit, h, d.slit)) return 0;
    // Set both ways: the one device object serves every connection in turn.
    d.integrationRangeValid =
        api_.getIntegrateTimeRange(h, &d.integrationMinUs, &d.integrationMaxUs) == 1 ? 1 : 0;
    d.protocolVersion = api_.getComProtocol(h);
    d.adBits = api_.getADDigits(h);
    d.scaleFactor = firmwareScaleFactor(d.firmwareVersion, d.protocolVersion, d.modelName);
    if (d.protocolVersion > kProtocolWithAccessories) {
        if (!readText(api_.getGratting, h, d.grating)) return 0;
        if (!readText(api_.getLens, h, d.lens)) return 0;
        if (!readText(api_.getFilter, h, d.filter)) return 0;
    }
    return 1;
}

void CSpectrometerDevice::disconnectLocked() {
    connectionState = kStateIdle;
    api_.setState(handle, kStateIdle);
    std::this_thread::sleep_for(std::chrono::milliseconds(g_closePauseMs.load()));
    if (handle) api_.close(handle);
    handle = nullptr;
    connectionState = kStateIdle;
}

void CSpectrometerDevice::disconnect() {
    std::lock_guard lock(driverLock());
    disconnectLocked();
}

int CSpectrometerDevice::checkPresence(bool wait) {
    std::unique_lock lock(driverLock(), std::defer_lock);
    if (wait) {
        lock.lock();
    } else if (!lock.try_lock()) {
        return 1;  // the other thread is using the device, so it was there a moment ago
    }
    if (connectedId == SP_SIMULATOR_ID) return 1;
    int ids[kAllDevicesBuffer] = {};
    int n = 0;
    api_.getAllDevices(ids, &n);
    n = std::clamp(n, 0, kAllDevicesBuffer);
    if (n == 0) {
        const bool wasConnected = isConnected();
        if (wasConnected) disconnectLocked();
        connectionState = kStateIdle;
        api_.setState(handle, kStateIdle);
        // Only a real removal is logged; the idle checks every second would flood the log.
        if (wasConnected)
            logWrite("***************************************sp removed ,do close,%d",
                     kSpRemovedLogNumber);
        return 0;
    }
    if (std::find(ids, ids + n, connectedId) != ids + n) return 1;
    if (isConnected()) disconnectLocked();
    connectionState = kStateIdle;
    api_.setState(handle, kStateIdle);
    return 0;
}

int CSpectrometerDevice::configure(int integrationUs, int mode, uint8_t averageCount) {
    std::lock_guard lock(driverLock());
    if (!handle) return 0;
    if (api_.config(handle, integrationUs, boxcar, mode) != 1) return 0;
    integrationTimeUs = integrationUs;
    triggerMode = mode;
    configAverages = averageCount;
    return 1;
}

int CSpectrometerDevice::setBoxcar(int width) {
    std::lock_guard lock(driverLock());
    if (handle && api_.config(handle, integrationTimeUs, width, triggerMode) == 1) boxcar = width;
    return 1;
}

int CSpectrometerDevice::setTriggerPulse(int highMs, int lowMs, int pulses, int enable) {
    std::lock_guard lock(driverLock());
    if (!handle || !api_.setTriggerPulse(handle, highMs, lowMs, pulses, enable)) return 0;
    triggerHighMs = highMs;
    triggerLowMs = lowMs;
    triggerPulses = pulses;
    triggerEnable = enable;
    return 1;
}

int CSpectrometerDevice::readCalibration(double c[4], std::string& date) {
    std::lock_guard lock(driverLock());
    if (!handle) return 0;
    char text[SP_TEXT_SIZE] = {};
    if (!api_.readCalData(handle, c, text)) return 0;
    date = textOf(text);
    return 1;
}

int CSpectrometerDevice::scan(int* ids, bool wait) {
    std::unique_lock lock(driverLock(), std::defer_lock);
    if (wait) {
        lock.lock();
    } else if (!lock.try_lock()) {
        return -1;
    }
    int n = 0;
    api_.getAllDevices(ids, &n);
    return std::clamp(n, 0, kAllDevicesBuffer);
}

int CSpectrometerDevice::readFrame(double* buffer) {
    std::lock_guard lock(driverLock());
    if (!isConnected() || !handle || !buffer) return 0;
    return std::min<int>(api_.readDoubleCCD(handle, buffer), SP_MAX_PIXELS);
}

int CSpectrometerDevice::readWavelengths(double* wave, int n) {
    std::lock_guard lock(driverLock());
    if (!handle || !wave) return 0;
    for (int i = 0; i < n; ++i)
        wave[i] = api_.pixelToWaveLength(handle, i + 1);
    return 1;
}

int CSpectrometerDevice::waveLengthToPixel(double nm) {
    std::lock_guard lock(driverLock());
    return handle ? api_.waveLengthToPixel(handle, nm) : -1;
}

double CSpectrometerDevice::pixelToWaveLength(int pixel) {
    std::lock_guard lock(driverLock());
    return handle ? api_.pixelToWaveLength(handle, pixel) : 0.0;
}

int CSpectrometerDevice::readNonlinear(double* coeffs, int* count) {
    std::lock_guard lock(driverLock());
    if (!handle) return 0;
    return api_.readNLCalData(handle, coeffs, count) ? 1 : 0;
}

void CSpectrometerDevice::setDriverState(int state) {
    std::lock_guard lock(driverLock());
    api_.setState(handle, state);
}

#include "platform/simulator/Simulator.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "platform/simulator/SceneModel.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kCcdTotalPixels = 2080;  // sensor elements
constexpr int kCcdHiddenPixels = 32;   // dark-reference and dummy elements
constexpr int kUsablePixels = kCcdTotalPixels - kCcdHiddenPixels;
constexpr int kAdcBits = 16;
constexpr int kMinIntegrationUs = 10;
constexpr int kMaxIntegrationUs = 60'000'000;
constexpr int kReadoutUs = 1500;          // transfer of one frame after the exposure
constexpr int kUnpluggedReadWaitMs = 20;  // a read on a lost device times out after this
constexpr int kExternalTriggerPeriodMs = 500;

struct Identity {
    std::string model = "CVS-2048 Simulator";
    std::string serial = "SIM2048A0001";
    std::string firmware = "8.20.2021";
    std::string resolution = "Resolution:1.2nm";
    std::string slit = "Slit:25um";
    std::string grating = "600 l/mm, 500 nm blaze";
    std::string lens = "L2 collimating lens";
    std::string filter = "OF1-GG395 order sorting";
    std::string calDate = "2024-03-18";
    unsigned short protocol = 0x102;
    int adBits = kAdcBits;
    double cal[4] = {196.8, 0.4745, -1.42e-5, -1.05e-9};
};

struct Instrument {
    int id = 0;
    long generation = 0;  // a replugged device is a new one; handles of the old stay dead
    Identity identity;
    bool plugged = true;
    int integrationUs = 4000;
    int boxcar = 1;
    int triggerMode = 17;
    int pulse[4] = {10, 10, 1, 1};
    Clock::time_point nextFrame{};
    SceneModel scene;
};

struct Handle {
    int id;
    long generation;
};

struct Simulator {
    std::mutex mutex;
    std::map<int, std::unique_ptr<Instrument>> instruments;
    std::map<int, Identity> identities;  // identity overrides by id, kept across unplug
    std::set<Handle*> handles;
    int sceneKind = CORVANE_SIM_LAMP;
    int zeroReads = 0;
    bool connectFails = false;
    int slowReadMs = 0;
    bool nlFails = false;
    bool realtime = true;
    long staleCalls = 0;
    long nextGeneration = 1;

    Simulator() { reset(); }

    void reset() {
        for (Handle* h : handles)
            delete h;
        handles.clear();
        instruments.clear();
        identities.clear();
        sceneKind = CORVANE_SIM_LAMP;
        zeroReads = 0;
        connectFails = false;
        slowReadMs = 0;
        nlFails = false;
        realtime = true;
        staleCalls = 0;
        addInstrument(SP_SIMULATOR_ID);
    }

    Instrument& addInstrument(int id) {
        auto inst = std::make_unique<Instrument>();
        inst->id = id;
        inst->generation = nextGeneration++;
        auto it = identities.find(id);
        if (it != identities.end()) inst->identity = it->second;
        if (id != SP_SIMULATOR_ID) {
            char serial[32];
            std::snprintf(serial, sizeof serial, "SIM2048B%04d", id % 10000);
            if (it == identities.end()) inst->identity.serial = serial;
        }
        inst->scene.configure(inst->identity.cal, kUsablePixels, sceneKind);
        Instrument& ref = *inst;
        instruments[id] = std::move(inst);
        return ref;
    }

    // The instrument behind a handle, or null when the handle is stale or the device is gone.
    Instrument* resolve(SPHANDLE handle) {
        auto* h = static_cast<Handle*>(handle);
        if (!h || !handles.count(h)) {
            ++staleCalls;
            return nullptr;
        }
        auto it = instruments.find(h->id);
        if (it == instruments.end() || !it->second->plugged) return nullptr;
        if (it->second->generation != h->generation) return nullptr;
        return it->second.get();
    }
};

Simulator& sim() {
    static Simulator s;
    return s;
}

int copyText(const std::string& text, char* out) {
    if (!out) return 0;
    std::snprintf(out, SP_TEXT_SIZE, "%s", text.c_str());
    return 1;
}

double polynomial(const double* c, double p) {
    return c[0] + p * (c[1] + p * (c[2] + p * c[3]));
}

// ---- the 25 functions ----------------------------------------------------------------

int simGetAllDevices(int* ids, int* count) {
    auto& s = sim();
    std::lock_guard lock(s.mutex);
    int n = 0;
    for (auto& [id, inst] : s.instruments) {
        if (id == SP_SIMULATOR_ID || !inst->plugged) continue;
        if (n >= SP_MAX_DEVICES) break;
        if (ids) ids[n] = id;
        ++n;
    }
    if (count) *count = n;
    return n;
}

SPHANDLE simConnect(int id) {
    auto& s = sim();
    std::lock_guard lock(s.mutex);
    if (s.connectFails) return nullptr;
    auto it = s.instruments.find(id);
    if (it == s.instruments.end() || !it->second->plugged) return nullptr;
    auto* h = new Handle{id, it->second->generation};
    s.handles.insert(h);
    it->second->nextFrame = Clock::time_point{};
    return h;
}

int simClose(SPHANDLE handle) {
    auto& s = sim();
    std::lock_guard lock(s.mutex);
    auto* h = static_cast<Handle*>(handle);
    if (!h || !s.handles.count(h)) {
        ++s.staleCalls;
        return 0;
    }
    s.handles.erase(h);
    delete h;
    return 1;
}

int simSetState(SPHANDLE handle, int state) {
    // Called with null or closed handles by design; only a live handle is checked.
    auto& s = sim();
    std::lock_guard lock(s.mutex);
    auto* h = static_cast<Handle*>(handle);
    if (!h || !s.handles.count(h)) return 0;
    return state == SP_STATE_IDLE || state == SP_STATE_CONNECTED;
}

template <typename Field>
int textQuery(SPHANDLE handle, char* out, Field field, bool needsNewProtocol = false) {
    auto& s = sim();
    std::lock_guard lock(s.mutex);
    Instrument* inst = s.resolve(handle);
    if (!inst) return 0;
    if (needsNewProtocol && inst->identity.protocol <= 0x101) return 0;
    return copyText(field(inst->identity), out);
}

int simGetModel(SPHANDLE h, char* t) {
    return textQuery(h, t, [](const Identity& i) { return i.model; });
}
int simGetSN(SPHANDLE h, char* t) {
    return textQuery(h, t, [](const Identity& i) { return i.serial; });
}
int simGetFirmware(SPHANDLE h, char* t) {
    return textQuery(h, t, [](const Identity& i) { return i.firmware; });
}
int simGetResolution(SPHANDLE h, char* t) {
    return textQuery(h, t, [](const Identity& i) { return i.resolution; });
}
int simGetSlit(SPHANDLE h, char* t) {
    return textQuery(h, t, [](const Identity& i) { return i.slit; });
}
int simGetGrating(SPHANDLE h, char* t) {
    return textQuery(
        h, t, [](const Identity& i) { return i.grating; }, true);
}
int simGetLens(SPHANDLE h, char* t) {
    return textQuery(
        h, t, [](const Identity& i) { return i.lens; }, true);
}
int simGetFilter(SPHANDLE h, char* t) {
    return textQuery(
        h, t, [](const Identity& i) { return i.filter; }, true);
}

int simReadCalData(SPHANDLE handle, double* coeffs, char* text) {
    auto& s = sim();
    std::lock_guard lock(s.mutex);
    Instrument* inst = s.resolve(handle);
    if (!inst || !coeffs) return 0;
    std::copy(inst->identity.cal, inst->identity.cal + 4, coeffs);
    return copyText(inst->identity.calDate, text);
}

int simSetCalData(SPHANDLE handle, const double* coeffs, const char* date) {
    auto& s = sim();
    std::lock_guard lock(s.mutex);
    Instrument* inst = s.resolve(handle);
    if (!inst || !coeffs || !date) return 0;
    for (int i = 0; i < 4; ++i)
        if (!std::isfinite(coeffs[i])) return 0;
    std::copy(coeffs, coeffs + 4, inst->identity.cal);
    inst->identity.calDate.assign(date, strnlen(date, SP_DATE_SIZE));
    s.identities[inst->id] = inst->identity;
    inst->scene.configure(inst->identity.cal, kUsablePixels, s.sceneKind);
    return 1;
}

int simGetCCDInfo(SPHANDLE handle, int* a, int* b, int* c) {
    auto& s = sim();
    std::lock_guard lock(s.mutex);
    if (!s.resolve(handle) || !a || !b || !c) return 0;
    *a = kCcdTotalPixels;
    *b = kCcdHiddenPixels;
    *c = kAdcBits;
    return 1;
}

int simGetWaveLengthRange(SPHANDLE handle, double* first, double* last) {
    auto& s = sim();
    std::lock_guard lock(s.mutex);
    Instrument* inst = s.resolve(handle);
    if (!inst || !first || !last) return 0;
    *first = polynomial(inst->identity.cal, 1);
    *last = polynomial(inst->identity.cal, kUsablePixels);
    return 1;
}

int simGetIntegrateTimeRange(SPHANDLE handle, int* minUs, int* maxUs) {
    auto& s = sim();
    std::lock_guard lock(s.mutex);
    if (!s.resolve(handle) || !minUs || !maxUs) return 0;
    *minUs = kMinIntegrationUs;
    *maxUs = kMaxIntegrationUs;
    return 1;
}

unsigned short simGetComProtocol(SPHANDLE handle) {
    auto& s = sim();
    std::lock_guard lock(s.mutex);
    Instrument* inst = s.resolve(handle);
    return inst ? inst->identity.protocol : 0;
}

int simGetADDigits(SPHANDLE handle) {
    auto& s = sim();
    std::lock_guard lock(s.mutex);
    Instrument* inst = s.resolve(handle);
    return inst ? inst->identity.adBits : 0;
}

int simReadNLCalData(SPHANDLE handle, double* coeffs, int* count) {
    auto& s = sim();
    std::lock_guard lock(s.mutex);
    if (!s.resolve(handle) || !coeffs || !count || s.nlFails) return 0;
    std::copy(kNonlinearCoefficients, kNonlinearCoefficients + 6, coeffs);
    std::fill(coeffs + 6, coeffs + SP_MAX_NL_COEFFS, 0.0);
    *count = 6;
    return 1;
}

bool knownTriggerMode(int mode) {
    return mode >= 17 && mode <= 21;
}

int simConfig(SPHANDLE handle, int integrationUs, int boxcar, int triggerMode) {
    auto& s = sim();
    std::lock_guard lock(s.mutex);
    Instrument* inst = s.resolve(handle);
    if (!inst) return 0;
    if (integrationUs < kMinIntegrationUs || integrationUs > kMaxIntegrationUs) return 0;
    if (boxcar < 1 || boxcar > 1000 || !knownTriggerMode(triggerMode)) return 0;
    inst->integrationUs = integrationUs;
    inst->boxcar = boxcar;
    inst->triggerMode = triggerMode;
    inst->nextFrame = Clock::time_point{};  // a new exposure starts with the new settings
    return 1;
}

int simSetTriggerPulse(SPHANDLE handle, int highMs, int lowMs, int pulses, int enable) {
    auto& s = sim();
    std::lock_guard lock(s.mutex);
    Instrument* inst = s.resolve(handle);
    if (!inst || inst->identity.protocol <= 0x101) return 0;
    if (highMs < 0 || lowMs < 0 || pulses < 0) return 0;
    inst->pulse[0] = highMs;
    inst->pulse[1] = lowMs;
    inst->pulse[2] = pulses;
    inst->pulse[3] = enable;
    return 1;
}

unsigned short simReadDoubleCCD(SPHANDLE handle, double* buffer) {
    auto& s = sim();
    std::unique_lock lock(s.mutex);
    Instrument* inst = s.resolve(handle);
    if (!inst || !buffer) {
        const bool lost = handle && s.handles.count(static_cast<Handle*>(handle));
        lock.unlock();
        // A real driver's read on a device that went away ends with a USB time-out.
        if (lost) std::this_thread::sleep_for(std::chrono::milliseconds(kUnpluggedReadWaitMs));
        return 0;
    }
    if (s.zeroReads > 0) {
        --s.zeroReads;
        return 0;
    }
    // Pace the frame: an exposure and its readout, or the next external trigger.
    if (s.realtime) {
        const auto now = Clock::now();
        const auto period = inst->triggerMode == 19
                                ? std::chrono::microseconds(kExternalTriggerPeriodMs * 1000)
                                : std::chrono::microseconds(inst->integrationUs + kReadoutUs);
        if (inst->nextFrame < now) inst->nextFrame = now + period;
        // A slow read ends that much later, and the next exposure starts only after it.
        const auto due = inst->nextFrame + std::chrono::milliseconds(s.slowReadMs);
        inst->nextFrame = due + period;
        lock.unlock();
        std::this_thread::sleep_until(due);
        lock.lock();
        inst = s.resolve(handle);  // it may have been unplugged while exposing
        if (!inst) return 0;
    } else if (s.slowReadMs > 0) {
        const int slow = s.slowReadMs;
        lock.unlock();
        std::this_thread::sleep_for(std::chrono::milliseconds(slow));
        lock.lock();
        inst = s.resolve(handle);
        if (!inst) return 0;
    }
    if (inst->scene.kind() != s.sceneKind)
        inst->scene.configure(inst->identity.cal, kUsablePixels, s.sceneKind);
    inst->scene.render(inst->integrationUs, inst->boxcar, buffer);
    return static_cast<unsigned short>(kUsablePixels);
}

double simPixelToWaveLength(SPHANDLE handle, int pixel) {
    auto& s = sim();
    std::lock_guard lock(s.mutex);
    Instrument* inst = s.resolve(handle);
    return inst ? polynomial(inst->identity.cal, pixel) : 0.0;
}

int simWaveLengthToPixel(SPHANDLE handle, double nm) {
    auto& s = sim();
    std::lock_guard lock(s.mutex);
    Instrument* inst = s.resolve(handle);
    if (!inst) return 0;
    // The polynomial rises monotonically over the sensor; bisection on the real pixel axis.
    double lo = -kUsablePixels, hi = 2.0 * kUsablePixels;
    for (int i = 0; i < 60; ++i) {
        const double mid = 0.5 * (lo + hi);
        (polynomial(inst->identity.cal, mid) < nm ? lo : hi) = mid;
    }
    return static_cast<int>(std::lround(0.5 * (lo + hi)));
}

const SpectrometerApi kSimulatorApi = {
    simGetAllDevices,
    simConnect,
    simClose,
    simSetState,
    simGetModel,
    simGetSN,
    simGetFirmware,
    simGetResolution,
    simGetSlit,
    simGetGrating,
    simGetLens,
    simGetFilter,
    simReadCalData,
    simSetCalData,
    simGetCCDInfo,
    simGetWaveLengthRange,
    simGetIntegrateTimeRange,
    simGetComProtocol,
    simGetADDigits,
    simReadNLCalData,
    simConfig,
    simSetTriggerPulse,
    simReadDoubleCCD,
    simPixelToWaveLength,
    simWaveLengthToPixel,
};

}  // namespace

const SpectrometerApi& simulatorApi() {
    return kSimulatorApi;
}

extern "C" {

void corvaneSimReset(void) {
    auto& s = sim();
    std::lock_guard lock(s.mutex);
    s.reset();
}

void corvaneSimSetScene(int scene) {
    auto& s = sim();
    std::lock_guard lock(s.mutex);
    if (scene >= CORVANE_SIM_DARK && scene <= CORVANE_SIM_LED) s.sceneKind = scene;
}

int corvaneSimScene(void) {
    auto& s = sim();
    std::lock_guard lock(s.mutex);
    return s.sceneKind;
}

int corvaneSimPlug(int id) {
    auto& s = sim();
    std::lock_guard lock(s.mutex);
    if (id == SP_SIMULATOR_ID || id < 0) return 0;
    auto it = s.instruments.find(id);
    if (it != s.instruments.end()) {
        if (it->second->plugged) return 0;
        s.instruments.erase(it);  // plugged in again: a fresh device, old handles stay dead
    }
    s.addInstrument(id);
    return 1;
}

int corvaneSimUnplug(int id) {
    auto& s = sim();
    std::lock_guard lock(s.mutex);
    auto it = s.instruments.find(id);
    if (id == SP_SIMULATOR_ID || it == s.instruments.end() || !it->second->plugged) return 0;
    it->second->plugged = false;
    return 1;
}

void corvaneSimSetFault(int fault, int value) {
    auto& s = sim();
    std::lock_guard lock(s.mutex);
    switch (fault) {
        case CORVANE_SIM_FAULT_ZERO_READS:
            s.zeroReads = std::max(0, value);
            break;
        case CORVANE_SIM_FAULT_CONNECT_FAIL:
            s.connectFails = value != 0;
            break;
        case CORVANE_SIM_FAULT_SLOW_READ_MS:
            s.slowReadMs = std::clamp(value, 0, 60'000);
            break;
        case CORVANE_SIM_FAULT_NL_FAIL:
            s.nlFails = value != 0;
            break;
        default:
            break;
    }
}

void corvaneSimSetRealtime(int on) {
    auto& s = sim();
    std::lock_guard lock(s.mutex);
    s.realtime = on != 0;
}

int corvaneSimSetIdentity(int id, const char* key, const char* value) {
    auto& s = sim();
    std::lock_guard lock(s.mutex);
    if (!key || !value) return 0;
    auto it = s.instruments.find(id);
    Identity identity = s.identities.count(id)      ? s.identities[id]
                        : it != s.instruments.end() ? it->second->identity
                                                    : Identity{};
    const std::string k = key;
    if (k == "model")
        identity.model = value;
    else if (k == "serial")
        identity.serial = value;
    else if (k == "firmware")
        identity.firmware = value;
    else if (k == "protocol")
        identity.protocol = static_cast<unsigned short>(std::strtol(value, nullptr, 0));
    else if (k == "adbits")
        identity.adBits = static_cast<int>(std::strtol(value, nullptr, 0));
    else
        return 0;
    s.identities[id] = identity;
    if (it != s.instruments.end()) it->second->identity = identity;
    return 1;
}

long corvaneSimStaleHandleCalls(void) {
    auto& s = sim();
    std::lock_guard lock(s.mutex);
    return s.staleCalls;
}

int corvaneSimOpenHandles(void) {
    auto& s = sim();
    std::lock_guard lock(s.mutex);
    return static_cast<int>(s.handles.size());
}

}  // extern "C"

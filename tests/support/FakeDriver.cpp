#include "tests/support/FakeDriver.h"

#include <algorithm>
#include <cstdio>

namespace {

// Handles are distinct addresses that are never reused within a test run.
char g_handles[1 << 16];
int g_nextHandle = 0;

bool live(FakeDriverState& f, void* h) {
    if (h && f.open.count(h)) return true;
    ++f.staleCalls;
    return false;
}

int text(void* h, char* out, const char* which, const std::string& value) {
    auto& f = fakeDriver();
    std::lock_guard g(f.lock);
    if (!live(f, h) || f.failQuery == which) return 0;
    std::snprintf(out, SP_TEXT_SIZE, "%s", value.c_str());
    return 1;
}

int getAll(int* ids, int* count) {
    auto& f = fakeDriver();
    std::lock_guard g(f.lock);
    const int n = std::min<int>(f.attached.size(), SP_MAX_DEVICES);
    std::copy(f.attached.begin(), f.attached.begin() + n, ids);
    *count = n;
    return n;
}

SPHANDLE connect(int id) {
    auto& f = fakeDriver();
    std::lock_guard g(f.lock);
    if (f.connectFails) return nullptr;
    if (id != SP_SIMULATOR_ID &&
        std::find(f.attached.begin(), f.attached.end(), id) == f.attached.end())
        return nullptr;
    void* h = &g_handles[g_nextHandle++ % sizeof g_handles];
    f.open.insert(h);
    return h;
}

int close(SPHANDLE h) {
    auto& f = fakeDriver();
    std::lock_guard g(f.lock);
    if (!live(f, h)) return 0;
    f.open.erase(h);
    return 1;
}

int setState(SPHANDLE, int state) {
    auto& f = fakeDriver();
    std::lock_guard g(f.lock);
    f.stateCalls.push_back(state);
    return 1;
}

int model(SPHANDLE h, char* t) {
    return text(h, t, "model", fakeDriver().model);
}
int serial(SPHANDLE h, char* t) {
    return text(h, t, "serial", fakeDriver().serial);
}
int firmware(SPHANDLE h, char* t) {
    return text(h, t, "firmware", fakeDriver().firmware);
}
int resolution(SPHANDLE h, char* t) {
    return text(h, t, "resolution", "Resolution:1.5nm");
}
int slit(SPHANDLE h, char* t) {
    return text(h, t, "slit", "Slit:50um");
}
int grating(SPHANDLE h, char* t) {
    return text(h, t, "grating", "1200 l/mm");
}
int lens(SPHANDLE h, char* t) {
    return text(h, t, "lens", "L1");
}
int filter(SPHANDLE h, char* t) {
    return text(h, t, "filter", "none");
}

int readCal(SPHANDLE h, double* c, char* t) {
    if (!text(h, t, "cal", "2023-1-2")) return 0;
    c[0] = 200.0;
    c[1] = 0.5;
    c[2] = c[3] = 0.0;
    return 1;
}
int setCal(SPHANDLE h, const double*, const char*) {
    auto& f = fakeDriver();
    std::lock_guard g(f.lock);
    return live(f, h);
}
int ccdInfo(SPHANDLE h, int* a, int* b, int* c) {
    auto& f = fakeDriver();
    std::lock_guard g(f.lock);
    if (!live(f, h) || f.failQuery == "ccd") return 0;
    *a = f.ccdPixels;
    *b = f.ccdHidden;
    *c = 16;
    return 1;
}
int range(SPHANDLE h, double* first, double* last) {
    auto& f = fakeDriver();
    std::lock_guard g(f.lock);
    if (!live(f, h) || f.failQuery == "range") return 0;
    *first = 200.5;
    *last = 200.0 + 0.5 * (f.ccdPixels - f.ccdHidden);
    return 1;
}
int timeRange(SPHANDLE h, int* lo, int* hi) {
    auto& f = fakeDriver();
    std::lock_guard g(f.lock);
    if (!live(f, h) || f.failQuery == "time") return 0;
    *lo = 100;
    *hi = 10'000'000;
    return 1;
}
unsigned short protocol(SPHANDLE h) {
    auto& f = fakeDriver();
    std::lock_guard g(f.lock);
    return live(f, h) ? f.protocol : 0;
}
int adBits(SPHANDLE h) {
    auto& f = fakeDriver();
    std::lock_guard g(f.lock);
    return live(f, h) ? 16 : 0;
}
int readNl(SPHANDLE h, double* k, int* n) {
    auto& f = fakeDriver();
    std::lock_guard g(f.lock);
    if (!live(f, h) || !f.nlResult) return 0;
    std::copy(f.nl, f.nl + 6, k);
    *n = f.nlCount;
    return 1;
}
int config(SPHANDLE h, int us, int boxcar, int mode) {
    auto& f = fakeDriver();
    std::lock_guard g(f.lock);
    if (!live(f, h)) return 0;
    if (f.configResult == 1) {
        f.lastIntegration = us;
        f.lastBoxcar = boxcar;
        f.lastTrigger = mode;
    }
    return f.configResult;
}
int pulse(SPHANDLE h, int hi, int lo, int n, int en) {
    auto& f = fakeDriver();
    std::lock_guard g(f.lock);
    if (!live(f, h) || !f.pulseResult) return 0;
    f.pulse[0] = hi;
    f.pulse[1] = lo;
    f.pulse[2] = n;
    f.pulse[3] = en;
    return 1;
}
unsigned short read(SPHANDLE h, double* buffer) {
    auto& f = fakeDriver();
    std::lock_guard g(f.lock);
    if (!live(f, h)) return 0;
    if (f.zeroReads > 0) {
        --f.zeroReads;
        return 0;
    }
    const double k = static_cast<double>(++f.reads);
    std::fill(buffer, buffer + f.framePixels, k);
    return static_cast<unsigned short>(f.framePixels);
}
double toWave(SPHANDLE h, int pixel) {
    auto& f = fakeDriver();
    std::lock_guard g(f.lock);
    return live(f, h) ? 200.0 + 0.5 * pixel : 0.0;
}
int toPixel(SPHANDLE h, double nm) {
    auto& f = fakeDriver();
    std::lock_guard g(f.lock);
    return live(f, h) ? static_cast<int>((nm - 200.0) / 0.5) : 0;
}

const SpectrometerApi kApi = {
    getAll,  connect, close,  setState, model,  serial,  firmware, resolution, slit,
    grating, lens,    filter, readCal,  setCal, ccdInfo, range,    timeRange,  protocol,
    adBits,  readNl,  config, pulse,    read,   toWave,  toPixel,
};

}  // namespace

void FakeDriverState::reset() {
    std::lock_guard g(lock);
    attached = {1};
    connectFails = false;
    model = "FAKE-100";
    serial = "FK0000012345";
    firmware = "1.1.2020";
    protocol = 0x102;
    ccdPixels = 2058;
    ccdHidden = 10;
    framePixels = 2048;
    zeroReads = 0;
    configResult = 1;
    pulseResult = 1;
    nlResult = 1;
    nlCount = 6;
    failQuery.clear();
    reads = 0;
    staleCalls = 0;
    open.clear();
    lastIntegration = lastBoxcar = lastTrigger = 0;
    std::fill(pulse, pulse + 4, 0);
    stateCalls.clear();
}

FakeDriverState& fakeDriver() {
    static FakeDriverState state;
    return state;
}

const SpectrometerApi& fakeDriverApi() {
    return kApi;
}

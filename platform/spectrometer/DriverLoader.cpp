#include "platform/spectrometer/DriverLoader.h"

#include <dlfcn.h>

#include <cstdlib>

namespace {

// The members of SpectrometerApi are 25 function pointers in symbol order; filling them
// through this view keeps the loader free of 25 hand-written lines that could drift apart.
using AnyFn = void (*)();
static_assert(sizeof(SpectrometerApi) == kSpectrometerSymbols.size() * sizeof(AnyFn));

AnyFn* slots(SpectrometerApi& api) {
    return reinterpret_cast<AnyFn*>(&api);
}
const AnyFn* slots(const SpectrometerApi& api) {
    return reinterpret_cast<const AnyFn*>(&api);
}

}  // namespace

bool isComplete(const SpectrometerApi& api) {
    const AnyFn* fns = slots(api);
    for (size_t i = 0; i < kSpectrometerSymbols.size(); ++i)
        if (!fns[i]) return false;
    return true;
}

DriverLoadResult loadDriverLibrary(const std::string& path) {
    DriverLoadResult result;
    result.path = path;
    void* lib = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!lib) {
        const char* message = dlerror();
        result.error = message ? message : "cannot open library";
        return result;
    }
    SpectrometerApi api;
    AnyFn* fns = slots(api);
    for (size_t i = 0; i < kSpectrometerSymbols.size(); ++i) {
        const std::string name(kSpectrometerSymbols[i]);
        void* sym = dlsym(lib, name.c_str());
        if (!sym) result.missing.push_back(name);
        fns[i] = reinterpret_cast<AnyFn>(sym);
    }
    if (!result.missing.empty()) {
        dlclose(lib);
        return result;
    }
    result.api = api;
    result.ok = true;
    return result;
}

std::string driverLibraryPath(const std::string& programDir) {
    const char* env = std::getenv("CORVANE_DRIVER");
    if (env && *env) return env;
    std::string dir = programDir.empty() ? std::string(".") : programDir;
    if (dir.back() != '/') dir += '/';
    return dir + "libspectrometer.so";
}

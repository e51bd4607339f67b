#include "device/Driver.h"

#include <filesystem>
#include <string>
#include <system_error>

#include "core/RunLog.h"
#include "platform/simulator/Simulator.h"
#include "platform/spectrometer/DriverLoader.h"

namespace {

struct ActiveDriver {
    SpectrometerApi api = simulatorApi();
    bool vendor = false;
};

ActiveDriver& active() {
    static ActiveDriver driver;
    return driver;
}

}  // namespace

const SpectrometerApi& activeDriver() {
    return active().api;
}

bool vendorDriverLoaded() {
    return active().vendor;
}

bool initSpectrometerDriver(const std::string& programDir) {
    const std::string path = driverLibraryPath(programDir);
    std::error_code ec;
    // A bare name (CORVANE_DRIVER=libvendor.so) is looked up by the dynamic loader's own
    // search path, so only a path is checked here.
    if (path.find('/') != std::string::npos && !std::filesystem::exists(path, ec)) {
        logWrite("No driver library at %s; using the built-in simulator", path.c_str());
        active() = ActiveDriver{};
        return false;
    }
    DriverLoadResult result = loadDriverLibrary(path);
    if (!result.ok) {
        if (!result.missing.empty()) {
            std::string names;
            for (const std::string& name : result.missing)
                names += (names.empty() ? "" : ", ") + name;
            logWrite("Driver library %s refused, it lacks %s; using the built-in simulator",
                     path.c_str(), names.c_str());
        } else {
            logWrite("Driver library %s could not be loaded (%s); using the built-in simulator",
                     path.c_str(), result.error.c_str());
        }
        active() = ActiveDriver{};
        return false;
    }
    logWrite("Driver library %s loaded", path.c_str());
    active().api = result.api;
    active().vendor = true;
    return true;
}

std::string programDirectory() {
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) return std::filesystem::current_path(ec).string();
    return exe.parent_path().string();
}

// corvane-cli read, and the spectrum export that acquire --out writes, called as the tool's main
// calls them.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>
#include <utility>
#include <vector>

#include "device/AcquisitionSettings.h"
#include "device/SpectrometerDevice.h"
#include "tests/support/CliRun.h"
#include "tests/support/TestSupport.h"
#include "tools/cli/DataFileCommands.h"

namespace {

using json = nlohmann::ordered_json;

CliRun read(std::vector<std::string> args) {
    args.insert(args.begin(), "read");
    return runCli(runReadCommand, std::move(args));
}

TEST(DataFileCli, ExportReadsBackAsTheImportWould) {
    TempDir dir;
    SpectrometerInfo device;  // no identification: the Device line reads "= , "
    AcquisitionSettings acquisition;
    const double wave[] = {400.0, 401.5, 403.0};
    const double value[] = {10.0, 20.25, 30.5};
    const std::string path = dir.file("s.data");
    std::string error;
    ASSERT_TRUE(writeSpectrumExport(path, 1, device, acquisition, wave, value, 3, error)) << error;

    struct Case {
        std::vector<std::string> args;
        int code;
        int points;
        double firstX, lastY;
    };
    const Case cases[] = {
        // Layout 1 recognises the type and so reads the empty Device line as (0, 0).
        {{path, "--type", "0", "--json"}, 0, 4, 0.0, 30.5},
        {{path, "--type", "0", "--layout", "0", "--json"}, 0, 4, 0.0, 30.5},
        {{path, "--type", "7", "--layout", "1", "--json"}, 1, 0, 0, 0},  // another type
        {{path, "--type", "11", "--json"}, 1, 0, 0, 0},                  // not importable
        {{dir.file("none.data"), "--type", "0", "--json"}, 1, 0, 0, 0},
        {{path, "--type", "13", "--json"}, 1, 0, 0, 0},
    };
    for (const Case& c : cases) {
        const CliRun r = read(c.args);
        EXPECT_EQ(r.code, c.code) << r.out;
        const json j = json::parse(r.out);
        EXPECT_EQ(j["ok"], c.code == 0);
        if (c.code == 0) {
            EXPECT_EQ(j["points"], c.points);
            EXPECT_EQ(j["first"][0], c.firstX);
            EXPECT_EQ(j["last"][1], c.lastY);
        } else {
            EXPECT_FALSE(j["error"].get<std::string>().empty());
        }
    }
}

}  // namespace

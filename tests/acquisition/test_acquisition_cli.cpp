// corvane-cli devices and acquire on the built-in simulator, called as the tool's main calls
// them: the frame count asked for is the count published, and bad options fail with code 1.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "tests/support/CliRun.h"
#include "tests/support/TestSupport.h"
#include "tools/cli/DeviceCommands.h"

namespace {

using json = nlohmann::json;

TEST(AcquireCli, PublishesExactlyTheFramesAskedFor) {
    struct Case {
        std::vector<std::string> args;
        int frames;
    };
    const Case cases[] = {
        {{"acquire", "--frames", "2", "--json"}, 2},
        {{"acquire", "--frames", "5", "--integration-us", "1000", "--json"}, 5},
        {{"acquire", "--scene", "lines", "--averages", "3", "--frames", "2", "--json"}, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args[2]);
        const CliRun r = runCli(runAcquireCommand, c.args);
        ASSERT_EQ(r.code, 0) << r.err;
        const json j = json::parse(r.out);
        EXPECT_EQ(j["frames_published"], c.frames);
        EXPECT_EQ(j["device"]["id"], 9999);
        EXPECT_EQ(j["points"], j["device"]["pixels"]);
        EXPECT_EQ(j["wavelength_first"], j["device"]["wavelength_start"]);
        EXPECT_LE(j["min"].get<double>(), j["mean"].get<double>());
        EXPECT_LE(j["mean"].get<double>(), j["max"].get<double>());
    }
}

TEST(AcquireCli, DarkIsDarkerThanTheLampAndOutWritesEveryPoint) {
    TempDir dir;
    const std::string path = dir.file("dark.txt");
    const CliRun dark =
        runCli(runAcquireCommand, {"acquire", "--scene", "dark", "--json", "--out", path});
    const CliRun lamp = runCli(runAcquireCommand, {"acquire", "--json"});
    ASSERT_EQ(dark.code, 0) << dark.err;
    ASSERT_EQ(lamp.code, 0) << lamp.err;
    EXPECT_LT(json::parse(dark.out)["max"].get<double>() * 5,
              json::parse(lamp.out)["max"].get<double>());
    const std::string text = readFile(path);
    size_t lines = 0;
    for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2))
        ++lines;
    EXPECT_GE(lines + 1, static_cast<size_t>(json::parse(dark.out)["points"].get<int>()));
}

TEST(AcquireCli, BadOptionsFailWithAMessage) {
    const std::vector<std::string> cases[] = {
        {"acquire", "--frames", "0"},  {"acquire", "--frames", "two"},
        {"acquire", "--scene", "sun"}, {"acquire", "--averages", "10001"},
        {"acquire", "--device", "5"},  {"acquire", "--integration-us", "-4"},
        {"acquire", "--layout", "2"},  {"acquire", "--out"},
        {"acquire", "--unknown"},
    };
    for (const std::vector<std::string>& args : cases) {
        SCOPED_TRACE(args[1]);
        const CliRun r = runCli(runAcquireCommand, args);
        EXPECT_EQ(r.code, 1);
        EXPECT_EQ(r.err.rfind("corvane-cli: ", 0), 0u) << r.err;
        EXPECT_TRUE(r.out.empty());
    }
}

TEST(DevicesCli, ListsTheSimulator) {
    const CliRun r = runCli(runDevicesCommand, {"devices", "--json"});
    ASSERT_EQ(r.code, 0) << r.err;
    const json list = json::parse(r.out);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0]["id"], 9999);
    EXPECT_EQ(list[0]["pixels"], 2048);
    EXPECT_EQ(runCli(runDevicesCommand, {"devices", "--all"}).code, 1);
}

}  // namespace

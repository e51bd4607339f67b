// corvane-cli color and fit, called as the tool's main calls them.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

#include <nlohmann/json.hpp>

#include "color/ColorCalc.h"
#include "tests/color/IlluminantTable.h"
#include "tests/support/CliRun.h"
#include "tools/cli/ColorCommands.h"

namespace {

namespace fs = std::filesystem;
using json = nlohmann::ordered_json;

class ColorCli : public testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("corvane_color_cli_" + std::to_string(::getpid()) + "_" +
                testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string write(const std::string& name, const std::string& text) {
        const fs::path p = dir_ / name;
        std::ofstream(p, std::ios::binary) << text;
        return p.string();
    }

    // Illuminant A as "x<TAB>y" lines, in the given order.
    static std::string spectrumLines(bool descending, const char* eol) {
        const std::vector<double> a = illuminantColumn(0);
        std::string text;
        for (int k = 0; k < kCieGridCount; ++k) {
            const int i = descending ? kCieGridCount - 1 - k : k;
            text += std::to_string(380 + 5 * i) + "\t" + std::to_string(a[i]) + eol;
        }
        return text;
    }

    fs::path dir_;
};

const char* kColorKeys[] = {"valid",
                            "x",
                            "y",
                            "z",
                            "X",
                            "Y",
                            "Z",
                            "u",
                            "v",
                            "u_prime",
                            "v_prime",
                            "w_prime",
                            "dominant_wavelength",
                            "purity",
                            "complementary",
                            "cct",
                            "ra",
                            "r",
                            "hunter_L",
                            "hunter_a",
                            "hunter_b",
                            "lab_L",
                            "lab_a",
                            "lab_b",
                            "yi",
                            "red_ratio"};

TEST_F(ColorCli, ReadsADataFileWithHeaderAndPrintsEveryField) {
    // A header line with an empty value splits into two fields; it must not become a point,
    // and nothing after [END] is read.
    const std::string file =
        write("a.data", "[HEADER]\r\nDataType=Spectrum file\r\nDevice=,\r\n[DATA]\r\n" +
                            spectrumLines(false, "\r\n") + "[END]\r\n900\t1e6\r\n");
    const CliRun r = runCli(runColorCommand, {"color", file, "--json"});
    ASSERT_EQ(r.code, 0) << r.err;
    const json j = json::parse(r.out);
    std::vector<std::string> keys;
    for (const auto& [k, v] : j.items())
        keys.push_back(k);
    EXPECT_EQ(keys, std::vector<std::string>(std::begin(kColorKeys), std::end(kColorKeys)));

    CColorCalc calc;
    const std::vector<double> a = illuminantColumn(0);
    const std::vector<double> grid(kCieGridWavelengths.begin(), kCieGridWavelengths.end());
    const ColorResult expected = calc.computeColor(a.data(), grid.data(), kCieGridCount);
    EXPECT_EQ(j["valid"], true);
    EXPECT_NEAR(j["x"].get<double>(), expected.x, 1e-6);
    EXPECT_NEAR(j["cct"].get<double>(), expected.cct, 0.01);
    EXPECT_NEAR(j["ra"].get<double>(), 100.0, 0.01);
    ASSERT_EQ(j["r"].size(), 14u);
    EXPECT_EQ(j["complementary"], false);
}

TEST_F(ColorCli, PlainDescendingFileWithTitleLineAndOptions) {
    const std::string file = write("a.txt", "Wavelength Intensity\n" + spectrumLines(true, "\n"));
    const CliRun r =
        runCli(runColorCommand, {"color", file, "--observer", "10", "--illuminant", "4", "--json"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.err.find("1 line(s)"), std::string::npos) << r.err;
    const json j = json::parse(r.out);
    EXPECT_NEAR(j["x"].get<double>(), 0.45117, 1e-4);  // A, 10 degrees

    const CliRun text = runCli(runColorCommand, {"color", file});
    ASSERT_EQ(text.code, 0);
    EXPECT_NE(text.out.find("cct"), std::string::npos);
    EXPECT_NE(text.out.find("red_ratio"), std::string::npos);
}

TEST_F(ColorCli, NotAvailableQuantitiesAreNull) {
    std::string dark, hot;
    for (int i = 0; i < kCieGridCount; ++i) {
        const double nm = 380 + 5 * i;
        dark += std::to_string(nm) + "\t0\n";
        hot += std::to_string(nm) + "\t" +
               std::to_string(CColorCalc::planckRadiance(nm, 40000.0) * 1e-10) + "\n";
    }
    const CliRun zero = runCli(runColorCommand, {"color", write("dark.txt", dark), "--json"});
    EXPECT_EQ(zero.code, 1);
    EXPECT_NE(zero.err.find("no colour"), std::string::npos);
    const json z = json::parse(zero.out);
    EXPECT_EQ(z["valid"], false);
    for (const char* key : kColorKeys)
        if (std::string(key) != "valid" && std::string(key) != "r") {
            EXPECT_TRUE(z[key].is_null()) << key;
        }

    const CliRun blue = runCli(runColorCommand, {"color", write("hot.txt", hot), "--json"});
    ASSERT_EQ(blue.code, 0) << blue.err;
    const json b = json::parse(blue.out);
    EXPECT_GT(b["cct"].get<double>(), 23000.0);
    EXPECT_TRUE(b["ra"].is_null());
    ASSERT_EQ(b["r"].size(), 14u);
    for (const json& ri : b["r"])
        EXPECT_TRUE(ri.is_null());
}

TEST_F(ColorCli, BadInputIsRefusedWithAMessage) {
    std::string many;
    for (int i = 0; i <= 3700; ++i)
        many += std::to_string(300.0 + i * 0.2) + " 1\n";
    const std::string good = write("good.txt", spectrumLines(false, "\n"));
    struct Case {
        std::vector<std::string> args;
        const char* message;
    } cases[] = {
        {{"color"}, "no spectrum file"},
        {{"color", (dir_ / "missing.txt").string()}, "cannot open"},
        {{"color", good, "--observer", "3"}, "--observer"},
        {{"color", good, "--illuminant", "6"}, "--illuminant"},
        {{"color", good, "--illuminant", "x"}, "--illuminant"},
        {{"color", good, "--illuminant"}, "needs a value"},
        {{"color", good, "--colour"}, "unexpected argument"},
        {{"color", write("empty.txt", "# nothing\n\n")}, "no lines of two numbers"},
        {{"color", write("open.data", "[HEADER]\nDataType=Spectrum file\n400\t1\n")}, "[DATA]"},
        {{"color", write("many.txt", many)}, "more than 3700"},
        {{"color", write("nan.txt", "400 1\n405 nan\n")}, "finite"},
        {{"color", write("huge.txt", "400 1\n405 1e999\n")}, "finite"},
        {{"color", write("jumbled.txt", "400 1\n410 1\n405 1\n")}, "one direction"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.back());
        const CliRun r = runCli(runColorCommand, c.args);
        EXPECT_EQ(r.code, 1);
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        EXPECT_TRUE(r.out.empty()) << r.out;
    }
}

TEST_F(ColorCli, Fit) {
    const std::string line = write("line.txt", "0.1 1\n0.2 2\n\n0.3 3\n");
    const std::string square = write("square.txt", "0.5 0.25\n1 1\n2 4\n3 9\n");
    struct Case {
        std::vector<std::string> args;
        double c0, c1, c2;
    } cases[] = {
        {{"fit", line, "--method", "line", "--json"}, 0.0, 10.0, 0.0},
        {{"fit", line, "--method", "line", "--zero-intercept", "--json"}, 0.0, 10.0, 0.0},
        {{"fit", square, "--method", "curve", "--json"}, 0.0, 0.0, 1.0},
        {{"fit", square, "--method", "curve", "--zero-intercept", "--json"}, 0.0, 0.0, 1.0},
        // One point through the origin: (0, 0) is added, as the calibration wizard does.
        {{"fit", write("one.txt", "0.5 4\n"), "--method", "line", "--zero-intercept", "--json"},
         0.0,
         8.0,
         0.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args[1] + " " + c.args[3] + " " + c.args[4]);
        const CliRun r = runCli(runFitCommand, c.args);
        ASSERT_EQ(r.code, 0) << r.err;
        const json j = json::parse(r.out);
        EXPECT_EQ(j["ok"], true);
        EXPECT_NEAR(j["c0"].get<double>(), c.c0, 1e-9);
        EXPECT_NEAR(j["c1"].get<double>(), c.c1, 1e-9);
        EXPECT_NEAR(j["c2"].get<double>(), c.c2, 1e-9);
        EXPECT_NEAR(j["r2"].get<double>(), 1.0, 1e-9);
    }

    const CliRun none = runCli(
        runFitCommand, {"fit", write("same.txt", "1 1\n1 2\n1 3\n"), "--method", "line", "--json"});
    EXPECT_EQ(none.code, 1);
    EXPECT_EQ(json::parse(none.out), json::parse(R"({"ok": false})"));
    EXPECT_NE(none.err.find("no fit"), std::string::npos);

    struct Bad {
        std::vector<std::string> args;
        const char* message;
    } bad[] = {
        {{"fit", line}, "--method"},
        {{"fit", line, "--method", "spline"}, "--method"},
        {{"fit", write("typo.txt", "0.1 1\n0.2 2x\n0.3 3\n"), "--method", "line"}, "line 2"},
        {{"fit", write("triple.txt", "0.1 1 7\n"), "--method", "line"}, "line 1"},
        {{"fit", write("inf.txt", "0.1 inf\n0.2 1\n"), "--method", "line"}, "finite"},
    };
    for (const Bad& b : bad) {
        const CliRun r = runCli(runFitCommand, b.args);
        EXPECT_EQ(r.code, 1);
        EXPECT_NE(r.err.find(b.message), std::string::npos) << r.err;
    }
}

}  // namespace

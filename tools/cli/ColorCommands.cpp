#include "tools/cli/ColorCommands.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "color/ColorCalc.h"
#include "color/Regression.h"
#include "core/Messages.h"
#include "core/SpectrumData.h"
#include "resources/ColorStrings.h"
#include "resources/StringTable.h"

namespace {

using Json = nlohmann::ordered_json;

constexpr const char* kColorUsage =
    "usage: corvane-cli color FILE [--observer 2|10] [--illuminant 0..5] [--json]";
constexpr const char* kFitUsage =
    "usage: corvane-cli fit FILE --method line|curve [--zero-intercept] [--json]";

int fail(const std::string& message) {
    std::fprintf(stderr, "corvane-cli: %s\n", message.c_str());
    return 1;
}

int failUsage(const std::string& message, const char* usage) {
    std::fprintf(stderr, "corvane-cli: %s\n%s\n", message.c_str(), usage);
    return 1;
}

// One field as a number, or nothing when it is not a number from its first character to its
// last: "12abc" would read 12 by the program's prefix rule, which is fine for its own files
// but turns a title line into a false point here.
std::optional<double> strictNumber(std::string_view field) {
    if (!field.empty() && field.front() == '+') field.remove_prefix(1);
    double value = 0.0;
    const auto [end, ec] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (ec == std::errc::result_out_of_range) return HUGE_VAL;  // reported as not finite
    if (ec != std::errc() || end != field.data() + field.size()) return std::nullopt;
    return value;
}

// The fields of a line split the way the data-file reader splits them: blanks, TABs, commas.
std::vector<std::string_view> fieldsOf(std::string_view line) {
    std::vector<std::string_view> fields;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == ','))
            ++i;
        const size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != ',')
            ++i;
        if (i > start) fields.push_back(line.substr(start, i - start));
    }
    return fields;
}

enum class PairKind { None, Pair, NotFinite };

// Two finite numbers in x and y, or why not.
PairKind readPair(std::string_view line, double& x, double& y) {
    const auto fields = fieldsOf(line);
    if (fields.size() != 2) return PairKind::None;
    const auto a = strictNumber(fields[0]);
    const auto b = strictNumber(fields[1]);
    if (!a || !b) return PairKind::None;
    if (!std::isfinite(*a) || !std::isfinite(*b)) return PairKind::NotFinite;
    x = *a;
    y = *b;
    return PairKind::Pair;
}

bool readLines(const std::string& path, std::vector<std::string>& lines, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot open " + path + ": " + std::strerror(errno);
        return false;
    }
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
    }
    if (in.bad()) {
        error = "cannot read " + path;
        return false;
    }
    return true;
}

bool isBlank(std::string_view line) {
    return line.find_first_not_of(" \t") == std::string_view::npos;
}

struct Spectrum {
    std::vector<double> wave;
    std::vector<double> value;
};

// A spectrum from any data file: an optional "[HEADER]" ... "[DATA]" block is skipped, then
// every line of two numbers is a point until "[END]". Other lines are skipped as the data-file
// reader skips them, but counted, so that the user hears about them.
bool readSpectrum(const std::string& path, Spectrum& s, std::string& error) {
    std::vector<std::string> lines;
    if (!readLines(path, lines, error)) return false;
    size_t i = 0;
    while (i < lines.size() && isBlank(lines[i]))
        ++i;
    if (i < lines.size() && lines[i].find("[HEADER]") != std::string::npos) {
        while (i < lines.size() && lines[i].find("[DATA]") == std::string::npos)
            ++i;
        if (i == lines.size()) {
            error = path + ": the header has no [DATA] line";
            return false;
        }
        ++i;
    }
    int skipped = 0;
    for (; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (line.find("[END]") != std::string::npos) break;
        double x = 0.0, y = 0.0;
        switch (readPair(line, x, y)) {
            case PairKind::Pair:
                if (static_cast<int>(s.wave.size()) == kMaxPixels) {
                    error = path + ": more than " + std::to_string(kMaxPixels) +
                            " points; a spectrum holds at most that many";
                    return false;
                }
                s.wave.push_back(x);
                s.value.push_back(y);
                break;
            case PairKind::NotFinite:
                error = path + ", line " + std::to_string(i + 1) + ": not a finite number: " + line;
                return false;
            case PairKind::None:
                if (!isBlank(line)) ++skipped;
                break;
        }
    }
    if (s.wave.empty()) {
        error = path + ": no lines of two numbers (wavelength, value) found";
        return false;
    }
    // The nearest-sample search bisects; a jumbled axis would give plausible-looking nonsense.
    const bool descending = s.wave.back() < s.wave.front();
    for (size_t k = 1; k < s.wave.size(); ++k) {
        if (descending ? s.wave[k] > s.wave[k - 1] : s.wave[k] < s.wave[k - 1]) {
            error = path + ": the wavelengths must run in one direction, ascending or descending";
            return false;
        }
    }
    if (skipped > 0)
        std::fprintf(stderr, "corvane-cli: %s: %d line(s) that are not two numbers skipped\n",
                     path.c_str(), skipped);
    return true;
}

// A quantity that is not available is null, never a made-up number.
Json orNull(bool available, double value) {
    return available ? Json(value) : Json(nullptr);
}

Json colorJson(const ColorResult& r) {
    const bool ok = r.valid == 1;
    const bool dominant = ok && r.dominantWavelength > 0.0;
    const bool cri = ok && r.criValid == 1;
    Json j;
    j["valid"] = ok;
    j["x"] = orNull(ok, r.x);
    j["y"] = orNull(ok, r.y);
    j["z"] = orNull(ok, r.z);
    j["X"] = orNull(ok, r.X);
    j["Y"] = orNull(ok, r.Y);
    j["Z"] = orNull(ok, r.Z);
    j["u"] = orNull(ok, r.u);
    j["v"] = orNull(ok, r.v);
    j["u_prime"] = orNull(ok, r.uPrime);
    j["v_prime"] = orNull(ok, r.vPrime);
    j["w_prime"] = orNull(ok, r.wPrime);
    j["dominant_wavelength"] = orNull(dominant, r.dominantWavelength);
    j["purity"] = orNull(dominant, r.purity);
    j["complementary"] = ok ? Json(r.complementary == 1) : Json(nullptr);
    j["cct"] = orNull(ok, r.cct);
    j["ra"] = orNull(cri, r.ra);
    Json indices = Json::array();
    for (double ri : r.r)
        indices.push_back(orNull(cri, ri));
    j["r"] = indices;
    j["hunter_L"] = orNull(ok, r.hunterL);
    j["hunter_a"] = orNull(ok, r.hunterA);
    j["hunter_b"] = orNull(ok, r.hunterB);
    j["lab_L"] = orNull(ok, r.labL);
    j["lab_a"] = orNull(ok, r.labA);
    j["lab_b"] = orNull(ok, r.labB);
    j["yi"] = orNull(ok, r.yi);
    j["red_ratio"] = orNull(ok, r.redRatio);
    return j;
}

// The same record for a reader: one "key  value" line per field, "n/a" where not available.
std::string colorText(const Json& j) {
    std::ostringstream out;
    char buffer[64];
    for (const auto& [key, value] : j.items()) {
        out << key << std::string(key.size() < 20 ? 20 - key.size() : 1, ' ');
        auto one = [&](const Json& v) {
            if (v.is_null()) {
                out << "n/a";
            } else if (v.is_boolean()) {
                out << (v.get<bool>() ? "yes" : "no");
            } else {
                std::snprintf(buffer, sizeof buffer, "%.6f", v.get<double>());
                out << buffer;
            }
        };
        if (value.is_array()) {
            const char* sep = "";
            for (const Json& v : value) {
                out << sep;
                one(v);
                sep = " ";
            }
        } else {
            one(value);
        }
        out << '\n';
    }
    return out.str();
}

struct Options {
    std::string file;
    bool json = false;
    int observer = 2;
    int illuminant = 0;
    std::string method;
    bool zeroIntercept = false;
};

// A whole decimal number, nothing before or after it.
bool wholeNumber(const char* text, int& out) {
    const char* end = text + std::strlen(text);
    const auto [p, ec] = std::from_chars(text, end, out);
    return ec == std::errc() && p == end && p != text;
}

// The arguments every command takes: --json, --help and the one file. -1 to go on, otherwise
// the exit code.
int commonArgument(const std::string& arg, const char* usage, Options& o) {
    if (arg == "--json") {
        o.json = true;
        return -1;
    }
    if (arg == "--help") {
        std::printf("%s\n", usage);
        return 0;
    }
    if (arg.starts_with("--") || !o.file.empty())
        return failUsage("unexpected argument " + arg, usage);
    o.file = arg;
    return -1;
}

void showColorMessage(ColorMessage message) {
    if (message == ColorMessage::TristimulusError)
        showMessage(loadString(ColorStr::kTristimulusError));
}

}  // namespace

int runColorCommand(int argc, char** argv) {
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--observer" || arg == "--illuminant") {
            if (i + 1 >= argc) return failUsage(arg + " needs a value", kColorUsage);
            int value = 0;
            if (!wholeNumber(argv[++i], value)) value = -1;
            if (arg == "--observer") {
                if (value != 2 && value != 10)
                    return failUsage("--observer must be 2 or 10", kColorUsage);
                o.observer = value;
            } else {
                if (value < 0 || value >= kCieIlluminantCount)
                    return failUsage("--illuminant must be 0..5 (A, C, D50, D55, D65, D75)",
                                     kColorUsage);
                o.illuminant = value;
            }
        } else if (const int code = commonArgument(arg, kColorUsage, o); code >= 0) {
            return code;
        }
    }
    if (o.file.empty()) return failUsage("no spectrum file given", kColorUsage);

    Spectrum s;
    std::string error;
    if (!readSpectrum(o.file, s, error)) return fail(error);
    const auto [lo, hi] = std::minmax(s.wave.front(), s.wave.back());
    if (lo > kCieGridWavelengths.front() || hi < kCieGridWavelengths.back())
        std::fprintf(stderr,
                     "corvane-cli: %s covers %g..%g nm only; the colour takes its end samples "
                     "for the rest of 380..780 nm\n",
                     o.file.c_str(), lo, hi);

    CColorCalc calc;
    calc.setMessageSink(showColorMessage);
    calc.setObserver(o.observer);
    calc.prepareWhitePoint(o.illuminant);
    const ColorResult result =
        calc.computeColor(s.value.data(), s.wave.data(), static_cast<int>(s.wave.size()));
    const Json j = colorJson(result);
    if (o.json)
        std::printf("%s\n", j.dump(2).c_str());
    else
        std::printf("%s", colorText(j).c_str());
    std::fflush(stdout);
    if (!result.valid)
        return fail(o.file + ": the spectrum gives no colour (no light between 380 and 780 nm)");
    return 0;
}

int runFitCommand(int argc, char** argv) {
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--zero-intercept") {
            o.zeroIntercept = true;
        } else if (arg == "--method") {
            if (i + 1 >= argc) return failUsage("--method needs a value", kFitUsage);
            o.method = argv[++i];
            if (o.method != "line" && o.method != "curve")
                return failUsage("--method must be line or curve", kFitUsage);
        } else if (const int code = commonArgument(arg, kFitUsage, o); code >= 0) {
            return code;
        }
    }
    if (o.file.empty()) return failUsage("no calibration file given", kFitUsage);
    if (o.method.empty())
        return failUsage("--method line or --method curve is required", kFitUsage);

    // Calibration points are typed by hand: a line that is not a pair is a mistake to point
    // out, not a line to drop, since a lost point silently changes the curve.
    std::vector<std::string> lines;
    std::string error;
    if (!readLines(o.file, lines, error)) return fail(error);
    std::vector<double> absorbance, concentration;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (isBlank(lines[i])) continue;
        double a = 0.0, c = 0.0;
        const PairKind kind = readPair(lines[i], a, c);
        if (kind != PairKind::Pair)
            return fail(o.file + ", line " + std::to_string(i + 1) +
                        (kind == PairKind::NotFinite
                             ? ": not a finite number: "
                             : ": not an absorbance and a concentration: ") +
                        lines[i]);
        absorbance.push_back(a);
        concentration.push_back(c);
    }

    // The concentration wizard's rule: through the origin, too few points gain (0, 0) once.
    const bool curve = o.method == "curve";
    const size_t needed = curve ? 3 : 2;
    if (o.zeroIntercept && absorbance.size() < needed) {
        absorbance.push_back(0.0);
        concentration.push_back(0.0);
    }
    double c[3] = {0.0, 0.0, 0.0};
    double r2 = 0.0;
    int ok = 0;
    const int n = static_cast<int>(absorbance.size());
    if (absorbance.size() >= needed) {
        if (!curve)
            ok = fitLine(concentration.data(), absorbance.data(), n, o.zeroIntercept, &c[1], &c[0],
                         &r2);
        else if (o.zeroIntercept)
            ok = fitPolynomialThroughOrigin(3, absorbance.data(), concentration.data(), n, c, &r2);
        else
            ok = fitPolynomial(3, absorbance.data(), concentration.data(), n, c, &r2);
    }

    Json j;
    j["ok"] = ok == 1;
    if (ok) {
        j["c0"] = c[0];
        j["c1"] = c[1];
        j["c2"] = c[2];
        j["r2"] = r2;
    }
    if (o.json) {
        std::printf("%s\n", j.dump(2).c_str());
    } else if (ok) {
        std::printf("c0 %.10g\nc1 %.10g\nc2 %.10g\nr2 %.10g\n", c[0], c[1], c[2], r2);
    } else {
        std::printf("no fit\n");
    }
    std::fflush(stdout);
    if (!ok) {
        const char* why =
            !curve
                ? (o.zeroIntercept ? "a line through the origin needs an absorbance other than 0"
                                   : "a line needs two different absorbances")
                : (o.zeroIntercept
                       ? "a curve through the origin needs two different absorbances other than 0"
                       : "a curve needs three different absorbances");
        return fail(o.file + ": no fit: " + why);
    }
    return 0;
}

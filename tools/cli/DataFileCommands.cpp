#include "tools/cli/DataFileCommands.h"

#include <cstdio>
#include <cstdlib>
#include <nlohmann/json.hpp>

#include "core/Messages.h"
#include "core/SpectrumData.h"
#include "device/SpectrometerDevice.h"
#include "files/AppPaths.h"
#include "files/DataFile.h"
#include "tools/cli/CliArgs.h"

namespace {

using Json = nlohmann::ordered_json;

// Collects what the data-file code would show in a message box.
class MessageCapture {
  public:
    MessageCapture() {
        previous_ = setMessageHandler([this](const MessageRequest& r) {
            if (!text.empty()) text += "\n";
            text += r.text;
            return kMsgAnswerOk;
        });
    }
    ~MessageCapture() { setMessageHandler(previous_); }
    std::string text;

  private:
    MessageHandler previous_;
};

int report(bool json, const std::string& error) {
    if (json) {
        Json j;
        j["ok"] = false;
        j["error"] = error;
        std::printf("%s\n", j.dump().c_str());
    } else {
        std::fprintf(stderr, "corvane-cli: %s\n", error.c_str());
    }
    return 1;
}

}  // namespace

bool writeSpectrumExport(const std::string& path, int layout, const SpectrometerInfo& device,
                         const AcquisitionSettings& acquisition, const double* wave,
                         const double* value, int count, std::string& error) {
    CSpectrumData record;
    const std::string header =
        buildDataFileHeader(record, kFileSpectrum, layout, device, acquisition, nullptr,
                            kDefaultAppName, kDefaultVersion);
    record.valueDecimals = dataFileValueDecimals(kFileSpectrum);
    MessageCapture messages;
    if (writeSeriesFile(record, path, header, wave, value, count) == 1) return true;
    error = messages.text.empty() ? "the file could not be written" : messages.text;
    return false;
}

int runReadCommand(int argc, char** argv) {
    const char* usage = "usage: read FILE --type 0..12 [--layout 0|1] [--json]";
    std::string path;
    int type = -1, layout = 1;
    bool json = false;
    // Errors in the options are reported in the form asked for, wherever --json stands.
    for (int i = 1; i < argc; ++i)
        if (std::string(argv[i]) == "--json") json = true;
    for (int i = 1; i < argc; ++i) {
        const std::string opt = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        if (opt == "--json") {
            json = true;
        } else if (opt == "--type") {
            if (!parseIntOption(value, 0, kFileTypeCount - 1, type))
                return report(json, std::string("--type needs a file type from 0 to 12\n") + usage);
            ++i;
        } else if (opt == "--layout") {
            if (!parseIntOption(value, 0, 1, layout))
                return report(json, std::string("--layout needs 0 or 1\n") + usage);
            ++i;
        } else if (path.empty() && !opt.empty() && opt[0] != '-') {
            path = opt;
        } else {
            return report(json, "unknown option " + opt + "\n" + usage);
        }
    }
    if (path.empty() || type < 0) return report(json, usage);

    CSpectrumData record;
    record.fileLayout = layout;
    MessageCapture messages;
    const int ok = type == kFileConcentration ? importConcentrationFile(record, path)
                                              : importDataFile(record, path, type);
    if (!ok) {
        // The import fails silently for another type, no points or a type nothing imports.
        return report(json, !messages.text.empty() ? messages.text
                            : (type == kFileColor || type == kFilePower)
                                ? "files of type " + std::to_string(type) + " cannot be imported"
                                : "no data points of type " + std::to_string(type) +
                                      " were read from " + path +
                                      " (its header names another type, or it holds no "
                                      "two-number lines)");
    }
    const std::vector<double>* x = nullptr;
    const std::vector<double>* y = nullptr;
    int n = 0;
    const SpectrumSeries* slot = nullptr;
    if (type == kFileWhiteBoard)
        slot = &record.whiteBoard;
    else if (type == kFileCalibrateResult)
        slot = &record.irradianceCal;
    else if (type == kFileStandardLamp)
        slot = &record.standardLamp;
    else if (type != kFileConcentration && !record.extraSeries.empty())
        slot = &record.extraSeries.front();
    if (slot) {
        x = &slot->wave;
        y = &slot->value;
        n = slot->count;
    } else if (!record.records.empty()) {
        x = &record.records.front().wave;
        y = &record.records.front().value;
        n = record.records.front().count;
    }
    if (!x || n <= 0) return report(json, "no data points were read from " + path);
    if (json) {
        Json j;
        j["ok"] = true;
        j["type"] = type;
        j["points"] = n;
        j["first"] = {(*x)[0], (*y)[0]};
        j["last"] = {(*x)[n - 1], (*y)[n - 1]};
        std::printf("%s\n", j.dump().c_str());
    } else {
        std::printf("Type        %d (%s)\n", type, dataFileTypeName(type).c_str());
        std::printf("Points      %d\n", n);
        std::printf("First       %.3f\t%g\n", (*x)[0], (*y)[0]);
        std::printf("Last        %.3f\t%g\n", (*x)[n - 1], (*y)[n - 1]);
    }
    return 0;
}

// corvane-cli: the measurement core without a window, for automation and tests.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/RunLog.h"
#include "tools/cli/ColorCommands.h"
#include "tools/cli/DataFileCommands.h"
#include "tools/cli/DeviceCommands.h"

namespace {

struct Command {
    const char* name;
    int (*run)(int argc, char** argv);
    const char* summary;
};

constexpr Command kCommands[] = {
    {"devices", runDevicesCommand, "devices [--json]: the spectrometers a search finds"},
    {"acquire", runAcquireCommand,
     "acquire [--scene dark|lamp|sample|lines|led] [--integration-us N] [--averages N]\n"
     "          [--boxcar N] [--frames N] [--device ID] [--json] [--out FILE [--layout 0|1]]"},
    {"read", runReadCommand, "read FILE --type 0..12 [--layout 0|1] [--json]: import a data file"},
    {"color", runColorCommand, "color FILE [--observer 2|10] [--illuminant 0..5] [--json]"},
    {"fit", runFitCommand, "fit FILE --method line|curve [--zero-intercept] [--json]"},
};

void usage(std::FILE* to) {
    std::fprintf(to, "usage: corvane-cli COMMAND [OPTIONS]\n\n");
    for (const Command& c : kCommands)
        std::fprintf(to, "  %s\n", c.summary);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        usage(stderr);
        return 1;
    }
    if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "help") == 0) {
        usage(stdout);
        return 0;
    }
    // The command-line tool keeps its run log only when asked to.
    if (const char* log = std::getenv("CORVANE_CLI_LOG")) setRunLogPath(log);
    for (const Command& c : kCommands)
        if (std::strcmp(argv[1], c.name) == 0) return c.run(argc - 1, argv + 1);
    std::fprintf(stderr, "corvane-cli: unknown command %s\n\n", argv[1]);
    usage(stderr);
    return 1;
}

#include "tools/cli/ColorCommands.h"

#include <cstdio>

int runColorCommand(int, char**) {
    std::fprintf(stderr, "corvane-cli: color is not available in this build\n");
    return 1;
}

int runFitCommand(int, char**) {
    std::fprintf(stderr, "corvane-cli: fit is not available in this build\n");
    return 1;
}

#include <cstdio>
#include <cstring>

#include "tools/cli/ColorCommands.h"

int main(int argc, char** argv) {
    if (argc >= 2 && std::strcmp(argv[1], "color") == 0) return runColorCommand(argc - 1, argv + 1);
    if (argc >= 2 && std::strcmp(argv[1], "fit") == 0) return runFitCommand(argc - 1, argv + 1);
    std::fprintf(stderr, "usage: corvane-cli devices|acquire|color|fit ...\n");
    return 1;
}

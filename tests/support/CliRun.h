#pragma once
// Runs one corvane-cli subcommand as the tool's main calls it and keeps what it printed.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

struct CliRun {
    int code;
    std::string out, err;
};

/// args[0] is the subcommand ("acquire", "color", ...), as argv[0] of the command functions.
inline CliRun runCli(int (*command)(int, char**), std::vector<std::string> args) {
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    const int code = command(static_cast<int>(argv.size()), argv.data());
    std::fflush(stdout);
    std::fflush(stderr);
    CliRun r{code, testing::internal::GetCapturedStdout(), ""};
    r.err = testing::internal::GetCapturedStderr();
    return r;
}

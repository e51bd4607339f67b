#pragma once
// corvane-cli color FILE ... and corvane-cli fit FILE ...; argv[0] is the subcommand.
int runColorCommand(int argc, char** argv);
int runFitCommand(int argc, char** argv);

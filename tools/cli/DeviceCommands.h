#pragma once
// corvane-cli devices ... and corvane-cli acquire ...; argv[0] is the subcommand.
int runDevicesCommand(int argc, char** argv);
int runAcquireCommand(int argc, char** argv);

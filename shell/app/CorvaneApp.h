#pragma once
// Start-up of the program: folders, run log, UI language, the single-instance guard, the view
// templates and the main frame, in that order.

/// Runs the program; returns the process exit code.
int runCorvane(int argc, char** argv);

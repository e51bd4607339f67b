#pragma once
// Commands that other parts of the program add to the main frame: each subsystem registers the
// handlers of its commands once at start-up, and the main frame calls them by id.

#include <functional>

class CMainFrame;

struct CommandHandler {
    std::function<void(CMainFrame&)> run;
    /// Extra condition for enabling, on top of the main frame's own (null: always).
    std::function<bool(CMainFrame&)> enabled;
};

/// Registers (or replaces) the handler of commandId.
void registerCommand(int commandId, CommandHandler handler);
/// The handler of commandId, or null.
const CommandHandler* findCommand(int commandId);

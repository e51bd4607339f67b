#include "shell/app/CommandRegistry.h"

#include <map>

namespace {
std::map<int, CommandHandler>& handlers() {
    static std::map<int, CommandHandler> map;
    return map;
}
}  // namespace

void registerCommand(int commandId, CommandHandler handler) {
    handlers()[commandId] = std::move(handler);
}

const CommandHandler* findCommand(int commandId) {
    auto it = handlers().find(commandId);
    return it == handlers().end() ? nullptr : &it->second;
}

#include "core/Messages.h"

#include <cstdio>
#include <mutex>

#include "core/RunLog.h"
#include "resources/CoreStrings.h"
#include "resources/StringTable.h"

namespace {

std::mutex g_handlerLock;
MessageHandler g_handler;

int defaultAnswer(int buttons) {
    if (buttons == kMsgYesNo) return kMsgAnswerYes;
    return kMsgAnswerOk;
}

}  // namespace

MessageHandler setMessageHandler(MessageHandler handler) {
    std::lock_guard guard(g_handlerLock);
    std::swap(g_handler, handler);
    return handler;
}

int showMessage(const std::string& text, MsgIcon icon, int buttons, void* owner,
                const std::string& caption) {
    logWriteText(text);
    MessageRequest request;
    request.text = text;
    request.caption = caption.empty() ? loadString(CoreStr::kNote) : caption;
    request.icon = icon;
    request.buttons = buttons;
    request.owner = owner;
    request.languageId = uiLanguage();
    MessageHandler handler;
    {
        std::lock_guard guard(g_handlerLock);
        handler = g_handler;
    }
    if (handler) return handler(request);
    std::fprintf(stderr, "%s: %s\n", request.caption.c_str(), text.c_str());
    return defaultAnswer(buttons);
}

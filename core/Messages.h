#pragma once
// The program's one message-box function. It writes the text to the run log first, then shows
// it with the caption "Note" (or the caption given) in the UI language. The window system
// installs the handler that shows a real box; tests install one that answers at once.

#include <functional>
#include <string>

enum class MsgIcon { None, Information, Warning, Error, Question };

enum MsgButtons { kMsgOk = 0, kMsgOkCancel = 1, kMsgYesNo = 4 };

/// Answers, numbered as the platform's message boxes number them.
enum MsgAnswer { kMsgAnswerOk = 1, kMsgAnswerCancel = 2, kMsgAnswerYes = 6, kMsgAnswerNo = 7 };

struct MessageRequest {
    std::string text;     ///< UTF-8
    std::string caption;  ///< UTF-8, already in the UI language
    MsgIcon icon = MsgIcon::Warning;
    int buttons = kMsgOk;
    void* owner = nullptr;  ///< the window the box belongs to; null = the main window
    int languageId = 1033;
};

using MessageHandler = std::function<int(const MessageRequest&)>;

/// Replaces the handler and returns the previous one. Without a handler, messages go to
/// stderr and the first button's answer is returned.
MessageHandler setMessageHandler(MessageHandler handler);

/// Logs text, then shows it. An empty caption means "Note" in the UI language.
int showMessage(const std::string& text, MsgIcon icon = MsgIcon::Warning, int buttons = kMsgOk,
                void* owner = nullptr, const std::string& caption = {});

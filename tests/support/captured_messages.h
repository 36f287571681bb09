#pragma once
// A message sink for tests: records every message and answers from a script.

#include "foundation/user_message.h"

#include <deque>
#include <string>
#include <vector>

struct CapturedMessage {
    std::string caption;
    std::string text;
    MsgIcon icon;
    MsgButtons buttons;
};

class CapturedMessages : public MessageSink {
  public:
    CapturedMessages() { msg_SetSink(this); }
    ~CapturedMessages() override { msg_SetSink(nullptr); }

    MsgAnswer showMessage(const char* caption, const char* text, MsgIcon icon, MsgButtons buttons) override {
        messages.push_back({caption ? caption : "", text ? text : "", icon, buttons});
        if (!answers.empty()) {
            MsgAnswer answer = answers.front();
            answers.pop_front();
            return answer;
        }
        return buttons == MsgButtons::Ok || buttons == MsgButtons::OkCancel ? MsgAnswer::Ok : MsgAnswer::No;
    }

    std::vector<CapturedMessage> messages;
    std::deque<MsgAnswer> answers; // answers to give, in order; then Ok, or No to a question
};

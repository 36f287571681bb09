#include "foundation/user_message.h"

#include <cstdio>

namespace {
// Prints "CAPTION: TEXT" (only TEXT when there is no caption) to standard error; nobody is there
// to answer, so questions get No.
class StderrSink final : public MessageSink {
  public:
    MsgAnswer showMessage(const char* caption, const char* text, MsgIcon, MsgButtons buttons) override {
        if (caption != nullptr && caption[0] != '\0') std::fprintf(stderr, "%s: ", caption);
        std::fprintf(stderr, "%s\n", text ? text : "");
        std::fflush(stderr);
        return buttons == MsgButtons::Ok || buttons == MsgButtons::OkCancel ? MsgAnswer::Ok : MsgAnswer::No;
    }
};

StderrSink g_defaultSink;
MessageSink* g_sink = nullptr;
} // namespace

void msg_SetSink(MessageSink* sink) {
    g_sink = sink;
}

MessageSink* msg_Sink() {
    return g_sink != nullptr ? g_sink : &g_defaultSink;
}

MsgAnswer msg_Show(const char* caption, const char* text, MsgIcon icon, MsgButtons buttons) {
    return msg_Sink()->showMessage(caption ? caption : "", text ? text : "", icon, buttons);
}

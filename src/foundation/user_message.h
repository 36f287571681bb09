#pragma once
// Messages and questions for the user. The editor shows them in message boxes, the tools print
// them to standard error as "CAPTION: TEXT", and tests capture them. Nothing here knows which.

enum class MsgIcon { None, Information, Warning, Error, Question };
enum class MsgButtons { Ok, YesNo, YesNoCancel, OkCancel };
enum class MsgAnswer { Ok, Yes, No, Cancel };

class MessageSink {
  public:
    virtual ~MessageSink() = default;
    virtual MsgAnswer showMessage(const char* caption, const char* text, MsgIcon icon,
                                  MsgButtons buttons) = 0;
};

// Installs the sink for all later messages; null restores the default sink.
void msg_SetSink(MessageSink* sink);
MessageSink* msg_Sink();
// Shows a message through the current sink. The default sink prints "CAPTION: TEXT" to standard
// error (only "TEXT" when the caption is empty) and answers Ok for Ok/OkCancel boxes and No for Yes/No
// questions.
MsgAnswer msg_Show(const char* caption, const char* text, MsgIcon icon = MsgIcon::None,
                   MsgButtons buttons = MsgButtons::Ok);

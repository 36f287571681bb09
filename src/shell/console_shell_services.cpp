#include "shell/console_shell_services.h"

#include <cstdio>

MsgAnswer ConsoleShellServices::showMessage(QWidget*, const std::string& caption, const std::string& text,
                                            MsgIcon, MsgButtons buttons) {
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    switch (buttons) {
    case MsgButtons::YesNo:
        return MsgAnswer::No;
    case MsgButtons::YesNoCancel:
        return MsgAnswer::Cancel;
    case MsgButtons::Ok:
    case MsgButtons::OkCancel:
        break;
    }
    return MsgAnswer::Ok;
}

std::string ConsoleShellServices::chooseFile(QWidget*, FileDialogKind, const FileFilter&,
                                             const std::string&) {
    return {};
}

#include "mission/write_failure.h"

#include "foundation/safe_format.h"
#include "foundation/text_source.h"
#include "foundation/user_message.h"
#include "gamedata/string_table.h"

void write_ReportFailure(const char* path, const FileFailure& failure) {
    std::string text =
        fmt_Format(text_GetOr("File I/O", "CANT_WRITE_FILE", "The file %s could not be written."),
                   {path != nullptr ? path : ""});
    if (failure.failed()) {
        text += '\n';
        text += file_ReasonLine(failure);
    }
    msg_Show(TextLookup("Dialog Message", "WARNING"), text.c_str(), MsgIcon::Error, MsgButtons::Ok);
}

#include "mission/write_failure.h"

#include "foundation/safe_format.h"
#include "foundation/text_source.h"
#include "foundation/user_message.h"
#include "gamedata/string_table.h"

#include <cstring>

void write_ReportFailure(const char* path) {
    const char* format = TextLookup("File I/O", "CANT_WRITE_FILE");
    if (std::strcmp(format, kBadTextString) == 0) format = "The file %s could not be written.";
    const std::string text = fmt_Format(format, {path != nullptr ? path : ""});
    msg_Show(TextLookup("Dialog Message", "WARNING"), text.c_str(), MsgIcon::Error, MsgButtons::Ok);
}

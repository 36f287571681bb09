#pragma once
#include "foundation/file_failure.h"

// The message shown when a file the user asked for (mission, backup, binary mission, report)
// could not be written. The previous file at that path is then still there.
// Text: "File I/O" "CANT_WRITE_FILE" used as a format with the path (a built-in English text when
// the string table has no such key), then, when `failure` says why, a line with the reason
// ("File I/O" "REASON"); caption: "Dialog Message" "WARNING"; error icon.
void write_ReportFailure(const char* path, const FileFailure& failure = {});

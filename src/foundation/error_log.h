#pragma once
// The append-only error log "errorlog.txt" in the current directory. Off by default; the
// environment variable QZMED_ERRORLOG=1 switches it on at the first write, errorlog_SetEnabled
// at any time.

inline constexpr const char* kErrorLogFileName = "errorlog.txt";

void errorlog_SetEnabled(bool enabled);
bool errorlog_Enabled();
// Appends `text` (a format without arguments) followed by " - M/D/YYYY, H:MM:SS\n" in local time.
void errorlog_Write(const char* text);

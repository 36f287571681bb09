#pragma once
// The debugger-output channel of the foundation. Lines go to standard error only when the
// environment variable QZMED_DEBUG is set to a non-empty value other than "0".

// Sends one diagnostic line (a newline is added when missing).
void debug_Output(const char* line);
bool debug_OutputEnabled();
// Tests can capture the lines instead: a non-null sink receives each line and stderr is skipped.
using DebugSinkFn = void (*)(const char* line);
void debug_SetSink(DebugSinkFn sink);

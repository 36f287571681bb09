#pragma once
// Starting Qt without a screen. Qt ends a program that finds no display with an abort and a
// message about platform plugins; the editor says instead what the user can do about it.

// Before the QApplication exists: a run that only writes a picture needs no screen, so when
// `screenshotOnly` is set, no display is named ($DISPLAY and $WAYLAND_DISPLAY empty) and no
// platform is chosen ($QT_QPA_PLATFORM or a -platform argument), the offscreen platform is taken.
void shell_PreparePlatform(bool screenshotOnly, int argc, char** argv);

// From shell_BeginStartupGuard until shell_EndStartupGuard, a fatal Qt message (no display could
// be opened, no platform plugin could be loaded) ends the program with kExitNoDisplay after Qt's
// own message and one line saying what to do (set QT_QPA_PLATFORM=offscreen, or use --screenshot),
// instead of aborting. Other messages are printed as usual.
void shell_BeginStartupGuard();
void shell_EndStartupGuard();

// The exit status of a start that found no display.
inline constexpr int kExitNoDisplay = 2;
// The line printed then, ending with a line feed.
const char* shell_NoDisplayAdvice();

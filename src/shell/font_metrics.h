#pragma once
// The measures every position of the main window is built from: the character width and the
// line height of the system's fixed-pitch font.

#include <QFont>

struct ShellMetrics {
    QFont font;          // the fixed-pitch font the measures come from
    int charWidth = 8;   // average character width, pixels (at least 1)
    int lineHeight = 16; // character height plus external leading, pixels (at least 1)
};

// Measures QFontDatabase::systemFont(FixedFont). Needs a QGuiApplication.
ShellMetrics shell_MeasureFixedFont();

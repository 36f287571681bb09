#pragma once
// A picture of a window as it stands, for documentation and headless checks.

#include <QString>

class QWidget;

// Lets pending layout and paint work finish, renders `window` with its children (QWidget::grab)
// and writes it as a PNG to `path`. False when the file cannot be written.
bool shell_SaveScreenshot(QWidget& window, const QString& path);

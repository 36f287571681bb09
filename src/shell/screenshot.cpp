#include "shell/screenshot.h"

#include <QCoreApplication>
#include <QPixmap>
#include <QWidget>

bool shell_SaveScreenshot(QWidget& window, const QString& path) {
    // Showing and maximising post resize and layout events; let them all arrive first.
    for (int pass = 0; pass < 3; ++pass)
        QCoreApplication::processEvents();
    const QPixmap picture = window.grab();
    return !picture.isNull() && picture.save(path, "PNG");
}

#include "shell/display_guard.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

QtMessageHandler previousHandler = nullptr;

bool isSet(const char* variable) {
    const char* value = std::getenv(variable);
    return value != nullptr && *value != '\0';
}

void startupMessage(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type != QtFatalMsg) {
        if (previousHandler != nullptr)
            previousHandler(type, context, message);
        else
            std::fprintf(stderr, "%s\n", qPrintable(message));
        return;
    }
    std::fprintf(stderr, "%s\n%s", qPrintable(message), shell_NoDisplayAdvice());
    std::fflush(stderr);
    std::_Exit(kExitNoDisplay);
}

} // namespace

void shell_PreparePlatform(bool screenshotOnly, int argc, char** argv) {
    if (!screenshotOnly || isSet("DISPLAY") || isSet("WAYLAND_DISPLAY") || isSet("QT_QPA_PLATFORM")) return;
    for (int i = 1; i < argc; ++i)
        if (argv[i] != nullptr &&
            (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0))
            return;
    qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
}

void shell_BeginStartupGuard() {
    previousHandler = qInstallMessageHandler(startupMessage);
}

void shell_EndStartupGuard() {
    qInstallMessageHandler(previousHandler);
    previousHandler = nullptr;
}

const char* shell_NoDisplayAdvice() {
    return "qzmed: no display could be opened. To run without one, set QT_QPA_PLATFORM=offscreen, "
           "or use --screenshot FILE to draw the window into a picture and exit.\n";
}

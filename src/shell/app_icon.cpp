#include "shell/app_icon.h"

// Q_INIT_RESOURCE must stand outside any namespace; the resources live in this static library.
static void initShellResources() {
    Q_INIT_RESOURCE(qzmed);
}

QIcon shell_AppIcon() {
    initShellResources();
    QIcon icon;
    for (int size : {16, 32, 48, 256})
        icon.addFile(QStringLiteral(":/qzmed/icons/qzmed-%1.png").arg(size), QSize(size, size));
    return icon;
}

#include "shell/literal_caption.h"

#include <QFontMetrics>

QString shell_LiteralCaption(const QString& text) {
    QString caption = text;
    caption.replace(QLatin1Char('&'), QLatin1String("&&"));
    return caption;
}

QString shell_ElidedLiteralCaption(const QString& text, const QFontMetrics& metrics, int maxWidth) {
    // Measured as shown: before the doubling, which the widget undoes.
    return shell_LiteralCaption(metrics.elidedText(text, Qt::ElideRight, maxWidth));
}

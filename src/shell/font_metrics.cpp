#include "shell/font_metrics.h"

#include <QFontDatabase>
#include <QFontMetrics>

#include <algorithm>

ShellMetrics shell_MeasureFixedFont() {
    ShellMetrics metrics;
    metrics.font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    const QFontMetrics measure(metrics.font);
    metrics.charWidth = std::max(1, measure.averageCharWidth());
    metrics.lineHeight = std::max(1, measure.height() + measure.leading());
    return metrics;
}

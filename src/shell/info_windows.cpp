#include "shell/info_windows.h"

#include "editor/editor_app.h"
#include "shell/game_text.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

InfoWindow::InfoWindow(const char* objectName, LineSource lines, const ShellMetrics& metrics, QWidget* parent)
    : QFrame(parent), lines_(std::move(lines)), metrics_(metrics) {
    setObjectName(QString::fromLatin1(objectName));
    setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    setFocusPolicy(Qt::NoFocus);
}

// Draws the lines single-line and unclipped.
void InfoWindow::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.setFont(metrics_.font);
    painter.setPen(palette().windowText().color());
    const QPoint origin = contentsRect().topLeft() + QPoint(kInfoTextMargin, kInfoTextMargin);
    const int ascent = QFontMetrics(metrics_.font).ascent();
    for (const InfoLine& line : lines_())
        painter.drawText(origin + QPoint(line.x, line.y + ascent), shell_DecodeText(line.text));
}

QStringList InfoWindow::shownLines() const {
    QStringList texts;
    for (const InfoLine& line : lines_())
        texts << shell_DecodeText(line.text);
    return texts;
}

void InfoWindow::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) Q_EMIT clicked();
    event->accept();
}

InfoWindow* shell_MakeItemInfoWindow(EditorApp& app, const ShellMetrics& metrics) {
    return new InfoWindow(
        "itemInfo",
        [&app, metrics] { return info_ItemLines(app.currentPage(), metrics.charWidth, metrics.lineHeight); },
        metrics);
}

InfoWindow* shell_MakeCenterInfoWindow(EditorApp& app, const ShellMetrics& metrics) {
    return new InfoWindow(
        "centerInfo",
        [&app] {
            return std::vector<InfoLine>{InfoLine{info_CenterText(app.viewState()), 0, 0}};
        },
        metrics);
}

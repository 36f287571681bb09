#include "shell/info_windows.h"

#include "editor/editor_app.h"
#include "editor/info_text.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

namespace {

void setUpInfoFrame(QFrame& frame, const char* name) {
    frame.setObjectName(QString::fromLatin1(name));
    frame.setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    frame.setFocusPolicy(Qt::NoFocus);
}

// Draws `lines` (tops of lines relative to the text origin) single-line and unclipped.
void drawLines(QFrame& frame, const ShellMetrics& metrics, const std::vector<InfoLine>& lines) {
    QPainter painter(&frame);
    painter.setFont(metrics.font);
    painter.setPen(frame.palette().windowText().color());
    const QPoint origin = frame.contentsRect().topLeft() + QPoint(kInfoTextMargin, kInfoTextMargin);
    const int ascent = QFontMetrics(metrics.font).ascent();
    for (const InfoLine& line : lines)
        painter.drawText(origin + QPoint(line.x, line.y + ascent), QString::fromLocal8Bit(line.text.c_str()));
}

} // namespace

ItemInfoWindow::ItemInfoWindow(EditorApp& app, const ShellMetrics& metrics, QWidget* parent)
    : QFrame(parent), app_(app), metrics_(metrics) {
    setUpInfoFrame(*this, "itemInfo");
}

void ItemInfoWindow::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    drawLines(*this, metrics_, info_ItemLines(app_.currentPage(), metrics_.charWidth, metrics_.lineHeight));
}

void ItemInfoWindow::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) Q_EMIT clicked();
    event->accept();
}

CenterInfoWindow::CenterInfoWindow(EditorApp& app, const ShellMetrics& metrics, QWidget* parent)
    : QFrame(parent), app_(app), metrics_(metrics) {
    setUpInfoFrame(*this, "centerInfo");
}

void CenterInfoWindow::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    drawLines(*this, metrics_, {InfoLine{info_CenterText(app_.viewState()), 0, 0}});
}

void CenterInfoWindow::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) Q_EMIT clicked();
    event->accept();
}

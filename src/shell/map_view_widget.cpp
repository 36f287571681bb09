#include "shell/map_view_widget.h"

#include "editor/editor_app.h"
#include "gamedata/string_table.h"

#include <QApplication>
#include <QImage>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

namespace {

constexpr int kToolTextMargin = 10; // the insert-mode text keeps this far from the top and right

bool shiftHeld(const QMouseEvent& event) {
    return event.modifiers() & Qt::ShiftModifier;
}
bool controlHeld(const QMouseEvent& event) {
    return event.modifiers() & Qt::ControlModifier;
}

} // namespace

MapViewWidget::MapViewWidget(EditorApp& app, QWidget* parent) : QFrame(parent), app_(app) {
    setObjectName(QStringLiteral("mapView"));
    setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    setCursor(Qt::CrossCursor);
    setFocusPolicy(Qt::NoFocus);
    setAutoFillBackground(true);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    // Every pixel of the contents is painted from the image: no background erase needed.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void MapViewWidget::setContextMenus(QMenu* mapMenu, QMenu* itemMenu) {
    mapMenu_ = mapMenu;
    itemMenu_ = itemMenu;
}

QPoint MapViewWidget::imagePoint(const QPoint& widgetPosition) const {
    return widgetPosition - contentsRect().topLeft();
}

void MapViewWidget::renderNow() {
    app_.renderMap();
    ++renders_;
    imageFresh_ = true;
}

void MapViewWidget::redraw() {
    renderNow();
    update();
}

void MapViewWidget::invalidate() {
    imageFresh_ = false;
    update();
}

void MapViewWidget::makeImage() {
    const QSize size = contentsRect().size();
    if (size.width() <= 0 || size.height() <= 0 || size == imageViewSize_) return;
    // Remember the size even when the image could not be made, so that the failure is reported
    // once per size and not at every paint.
    imageViewSize_ = size;
    app_.createOffscreenImage(size.width(), size.height());
    imageFresh_ = false;
}

void MapViewWidget::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    if (isVisible()) makeImage();
}

void MapViewWidget::paintEvent(QPaintEvent* event) {
    makeImage();
    QPainter painter(this);
    const QRect contents = contentsRect();
    RasterImage& image = app_.image();
    if (image.pixels() != nullptr) {
        if (!imageFresh_) renderNow();
        imageFresh_ = false; // the next paint renders again unless a redraw comes first
        const QImage view(reinterpret_cast<const uchar*>(image.pixels()), image.width(), image.height(),
                          static_cast<qsizetype>(image.width()) * 4, QImage::Format_RGB32);
        painter.setClipRect(contents);
        painter.drawImage(contents.topLeft(), view);
    } else {
        // No off-screen image: the view stays black and nothing is drawn through a missing image.
        painter.fillRect(contents, Qt::black);
    }

    if (app_.viewState().insert_mode != 0) {
        painter.setClipping(false);
        painter.setBackgroundMode(Qt::OpaqueMode);
        painter.setBackground(QApplication::palette().base());
        painter.setPen(QApplication::palette().text().color());
        const QRect textRect = contents.adjusted(0, kToolTextMargin, -kToolTextMargin, 0);
        painter.drawText(textRect, Qt::AlignRight | Qt::AlignTop | Qt::TextSingleLine | Qt::TextDontClip,
                         QString::fromLocal8Bit(TextLookup("Tool Modes", "INSERT_MODE")));
    }
    painter.end();
    QFrame::paintEvent(event); // the sunken edge
}

void MapViewWidget::applyNavigation(uint32_t effects) {
    if (effects & kNavRepaintCentre) Q_EMIT centreMoved();
    if (effects & kNavRender)
        redraw();
    else if (effects & kNavRenderWhenIdle)
        invalidate(); // paints coalesce while moves keep coming
}

void MapViewWidget::mousePressEvent(QMouseEvent* event) {
    const QPoint p = imagePoint(event->position().toPoint());
    RasterImage& image = app_.image();
    ViewState& view = app_.viewState();
    switch (event->button()) {
    case Qt::MiddleButton:
        applyNavigation(nav_MiddleButtonDown(navigation_, view, image.width(), image.height(), p.x(), p.y(),
                                             shiftHeld(*event), controlHeld(*event)));
        break;
    case Qt::RightButton: {
        const uint32_t effects = nav_RightButtonDown(navigation_, view, image.width(), image.height(), p.x(),
                                                     p.y(), shiftHeld(*event), controlHeld(*event));
        if (effects == kNavNone)
            showContextMenu(event->globalPosition().toPoint());
        else
            applyNavigation(effects);
        break;
    }
    default:
        break; // the left button belongs to the selection and editing tools
    }
    event->accept();
}

void MapViewWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    // A left double click counts as one more left press at the same point; the second press of
    // a middle or right double click is not a gesture.
    if (event->button() == Qt::LeftButton)
        mousePressEvent(event);
    else
        event->accept();
}

void MapViewWidget::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = imagePoint(event->position().toPoint());
    applyNavigation(nav_MouseMove(navigation_, app_.viewState(), p.x()));
    event->accept();
}

void MapViewWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) applyNavigation(nav_RightButtonUp(navigation_));
    event->accept();
}

void MapViewWidget::showContextMenu(const QPoint& globalPosition) {
    QMenu* menu = app_.currentPage().selection.count > 0 ? itemMenu_ : mapMenu_;
    lastContextMenu_ = menu;
    if (menu != nullptr) menu->popup(globalPosition);
}

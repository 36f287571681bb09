#include "shell/map_view_widget.h"

#include "editor/editor_app.h"
#include "editor/ruler.h"
#include "gamedata/string_table.h"
#include "shell/game_text.h"

#include <QApplication>
#include <QImage>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cstring>

namespace {

constexpr int kToolTextMargin = 10;  // the insert-mode text keeps this far from the top and right
constexpr int kRulerTextOffset = 12; // the ruler's text sits this far right of and below its end
constexpr int kRulerTextPadding = 3;
constexpr QRgb kRulerColour = 0xFFFFFF;
constexpr QRgb kRulerShadow = 0x000000;

// Cuts the segment a-b to `rect` (Liang-Barsky); false when nothing of it lies inside. The ruler's
// ends can lie far outside the view after zooming, where the painter's coordinates give out.
bool clipSegment(QPointF& a, QPointF& b, const QRectF& rect) {
    double t0 = 0.0, t1 = 1.0;
    const double dx = b.x() - a.x(), dy = b.y() - a.y();
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x() - rect.left(), rect.right() - a.x(), a.y() - rect.top(),
                         rect.bottom() - a.y()};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1) return false;
    }
    const QPointF start = a;
    a = start + QPointF(dx * t0, dy * t0);
    b = start + QPointF(dx * t1, dy * t1);
    return true;
}

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
    // Placements follow the mouse with no button held.
    setMouseTracking(true);
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

    drawRubberBand(painter);
    drawRuler(painter);

    if (app_.mouse().measuring())
        drawToolMode(painter, "MEASURE_MODE");
    else if (app_.viewState().insert_mode != 0)
        drawToolMode(painter, "INSERT_MODE");
    painter.end();
    QFrame::paintEvent(event); // the sunken edge
}

bool MapViewWidget::dragActive() const {
    return app_.mouse().dragState() != kDragNone;
}

void MapViewWidget::apply(const MouseResult& result, const QPoint& globalPosition) {
    // The rubber band is drawn over the image at every paint while a rectangle selection runs,
    // so erasing and drawing it again is one repaint of the view.
    if (result.has(kMouseEraseBand) || result.has(kMouseDrawBand) || result.has(kMousePresent)) {
        imageFresh_ = true; // the image is already what the view must show
        update();
    }
    if (result.has(kMouseRender))
        redraw();
    else if (result.has(kMouseRenderWhenIdle) || result.has(kMouseRepaintMap))
        invalidate(); // paints coalesce while moves keep coming
    if (result.has(kMouseRepaintItemInfo)) Q_EMIT selectionChanged();
    // A mouse edit becomes an undo step before the panels hear of the change.
    app_.mouseFinished(result);
    if (result.has(kMousePageChanged))
        app_.view().pageChanged(PageChange::Content);
    else if (result.has(kMouseSelectionChanged))
        app_.view().pageChanged(PageChange::Selection);
    if (result.has(kMouseRepaintCentre)) Q_EMIT centreMoved();
    // Capture and release need nothing here: a widget keeps the mouse while a button is held.
    if (result.has(kMouseContextMenu)) showContextMenu(result.menu, globalPosition);
}

void MapViewWidget::drawRubberBand(QPainter& painter) const {
    BandRect band;
    if (!app_.mouse().bandShown(band)) return;
    const QPoint origin = contentsRect().topLeft();
    // A stroked QRect covers one pixel more than its size: this one runs from corner to corner.
    const int left = std::min(band.x1, band.x2), top = std::min(band.y1, band.y2);
    const QRect rect = QRect(left, top, std::max(band.x1, band.x2) - left, std::max(band.y1, band.y2) - top)
                           .translated(origin);
    painter.save();
    painter.setClipRect(contentsRect());
    // Exclusive-or with what is below, as the band always was: visible on any terrain colour.
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.setPen(QPen(QColor::fromRgb(kRubberBandColour), 1, Qt::SolidLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect);
    painter.restore();
}

void MapViewWidget::drawToolMode(QPainter& painter, const char* key) const {
    painter.save();
    painter.setClipping(false);
    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.setBackground(QApplication::palette().base());
    painter.setPen(QApplication::palette().text().color());
    const QRect textRect = contentsRect().adjusted(0, kToolTextMargin, -kToolTextMargin, 0);
    painter.drawText(textRect, Qt::AlignRight | Qt::AlignTop | Qt::TextSingleLine | Qt::TextDontClip,
                     shell_Text("Tool Modes", key));
    painter.restore();
}

void MapViewWidget::drawRuler(QPainter& painter) const {
    RulerLine line;
    RasterImage& image = app_.image();
    if (!app_.mouse().rulerShown(line) || image.pixels() == nullptr) return;
    const MapTransform transform = map_MakeTransform(app_.viewState(), image.width(), image.height());
    const ScreenPointF a = map_WorldToScreenExact(transform, line.ax, line.ay);
    const ScreenPointF b = map_WorldToScreenExact(transform, line.bx, line.by);
    const QPointF origin = contentsRect().topLeft();
    const QPointF from = origin + QPointF(a.x, a.y), to = origin + QPointF(b.x, b.y);
    painter.save();
    painter.setClipRect(contentsRect());
    QPointF lineFrom = from, lineTo = to;
    const QRectF near = QRectF(contentsRect()).adjusted(-8, -8, 8, 8);
    if (clipSegment(lineFrom, lineTo, near)) {
        // A dark line under a light one shows on every terrain colour.
        painter.setPen(QPen(QColor::fromRgb(kRulerShadow), 3));
        painter.drawLine(lineFrom, lineTo);
        painter.setPen(QPen(QColor::fromRgb(kRulerColour), 1));
        painter.drawLine(lineFrom, lineTo);
    }
    if (near.contains(from)) painter.drawEllipse(from, 3, 3);
    // The text stays beside the cursor's end, or at the view's edge when that end is off it.
    const QPointF textAt(std::clamp(to.x(), near.left(), near.right()),
                         std::clamp(to.y(), near.top(), near.bottom()));

    const QString text = shell_DecodeText(ruler_Text(ruler_Measure(line.ax, line.ay, line.bx, line.by)));
    QRectF box = painter.fontMetrics().boundingRect(text).toRectF();
    box.moveTopLeft(textAt + QPointF(kRulerTextOffset, kRulerTextOffset));
    box.adjust(-kRulerTextPadding, -kRulerTextPadding, kRulerTextPadding, kRulerTextPadding);
    // Kept inside the view when the end is near its right or bottom edge.
    const QRectF bounds = QRectF(contentsRect());
    if (box.right() > bounds.right()) box.moveRight(textAt.x() - kRulerTextOffset);
    if (box.bottom() > bounds.bottom()) box.moveBottom(textAt.y() - kRulerTextOffset);
    painter.fillRect(box, QColor(0, 0, 0, 170));
    painter.setPen(QColor::fromRgb(kRulerColour));
    painter.drawText(box, Qt::AlignCenter, text);
    painter.restore();
}

void MapViewWidget::mousePressEvent(QMouseEvent* event) {
    const QPoint p = imagePoint(event->position().toPoint());
    const bool shift = shiftHeld(*event);
    const bool control = controlHeld(*event);
    MouseContext ctx = app_.mouseContext();
    MapMouse& mouse = app_.mouse();
    MouseResult result;
    switch (event->button()) {
    case Qt::LeftButton:
        result = mouse.leftDown(ctx, p.x(), p.y(), shift, control);
        break;
    case Qt::MiddleButton:
        result = mouse.middleDown(ctx, p.x(), p.y(), shift, control);
        break;
    case Qt::RightButton:
        result = mouse.rightDown(ctx, p.x(), p.y(), shift, control);
        break;
    default:
        break;
    }
    apply(result, event->globalPosition().toPoint());
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
    MouseContext ctx = app_.mouseContext();
    // Qt already folds queued moves into the newest one, so every move that arrives is the last.
    apply(app_.mouse().mouseMove(ctx, p.x(), p.y(), false), event->globalPosition().toPoint());
    event->accept();
}

void MapViewWidget::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint p = imagePoint(event->position().toPoint());
    MouseContext ctx = app_.mouseContext();
    MouseResult result;
    if (event->button() == Qt::LeftButton)
        result = app_.mouse().leftUp(ctx, p.x(), p.y());
    else if (event->button() == Qt::RightButton)
        result = app_.mouse().rightUp(ctx);
    apply(result, event->globalPosition().toPoint());
    event->accept();
}

void MapViewWidget::showContextMenu(const char* menuName, const QPoint& globalPosition) {
    const bool itemMenu = menuName != nullptr && std::strcmp(menuName, kMouseMenuItem) == 0;
    QMenu* menu = itemMenu ? itemMenu_ : mapMenu_;
    lastContextMenu_ = menu;
    if (menu != nullptr) menu->popup(globalPosition);
}

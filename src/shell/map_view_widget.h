#pragma once
// The map view: shows the editor's off-screen image (the renderer's 0x00RRGGBB pixels, presented
// as a QImage in Format_RGB32 over the same buffer), writes the insert-mode text over it, and
// hands every mouse message to the editor's mouse tools (selection, insert, move and paste
// placement, navigation), carrying out the effects they ask for: presenting the image, rendering,
// the rubber band of a rectangle selection and the context menus.
// The off-screen image follows the view's size: it is made again whenever the view is resized.

#include "editor/mouse_tool.h"

#include <QFrame>

class EditorApp;
class QMenu;

class MapViewWidget : public QFrame {
    Q_OBJECT
  public:
    MapViewWidget(EditorApp& app, QWidget* parent = nullptr);

    // The context menus: `mapMenu` when the current page has no selection, `itemMenu` otherwise.
    void setContextMenus(QMenu* mapMenu, QMenu* itemMenu);

    // Renders the current page into the off-screen image now and shows it at the next paint.
    void redraw();
    // Shows the page again at the next paint, rendering it then.
    void invalidate();

    // True while a mouse drag of the map view (the zoom drag) is under way.
    bool dragActive() const;
    // Renders done so far (each one a full MapRender).
    int renderCount() const { return renders_; }
    // The menu the last right click opened, or null.
    QMenu* lastContextMenu() const { return lastContextMenu_; }

    // The point of the off-screen image under a widget position.
    QPoint imagePoint(const QPoint& widgetPosition) const;

  Q_SIGNALS:
    // The view centre was moved with the mouse (the centre information window shows it).
    void centreMoved();
    // The selection may have changed (the item information window shows it).
    void selectionChanged();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    void renderNow();
    void makeImage();
    void apply(const MouseResult& result, const QPoint& globalPosition);
    void showContextMenu(const char* menuName, const QPoint& globalPosition);
    void drawRubberBand(QPainter& painter) const;
    // The ruler's line from its first point to the cursor, with its distance and bearing.
    void drawRuler(QPainter& painter) const;
    // The tool-mode text in the top right corner ("INSERT MODE", "MEASURE").
    void drawToolMode(QPainter& painter, const char* key) const;

    EditorApp& app_;
    QMenu* mapMenu_ = nullptr;
    QMenu* itemMenu_ = nullptr;
    QMenu* lastContextMenu_ = nullptr;
    QSize imageViewSize_; // the view size the off-screen image was last made for
    bool imageFresh_ = false;
    int renders_ = 0;
};

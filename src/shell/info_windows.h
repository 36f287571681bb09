#pragma once
// The two information windows: the item information window (the selection of the current page)
// and the centre information window (the view centre in metres). Both are one class that repaints
// the lines it is given whenever it is invalidated and reports a left click, which the main window
// turns into a command.

#include "editor/info_text.h"
#include "shell/font_metrics.h"

#include <QFrame>

#include <functional>
#include <vector>

class EditorApp;

class InfoWindow : public QFrame {
    Q_OBJECT
  public:
    // `lines` is asked at every paint for what to show (positions relative to the text origin).
    using LineSource = std::function<std::vector<InfoLine>()>;
    InfoWindow(const char* objectName, LineSource lines, const ShellMetrics& metrics,
               QWidget* parent = nullptr);

    // The texts the window shows now, one per line, as they are painted.
    QStringList shownLines() const;

  Q_SIGNALS:
    void clicked();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    LineSource lines_;
    ShellMetrics metrics_;
};

// The item information window: the selection of the current page of `app`.
InfoWindow* shell_MakeItemInfoWindow(EditorApp& app, const ShellMetrics& metrics);
// The centre information window: the view centre of `app`.
InfoWindow* shell_MakeCenterInfoWindow(EditorApp& app, const ShellMetrics& metrics);

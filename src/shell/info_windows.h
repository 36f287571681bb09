#pragma once
// The two information windows: the item information window (the selection of the current page)
// and the centre information window (the view centre in metres). Both repaint from the editor's
// state whenever they are invalidated and report a left click, which the main window turns into
// a command.

#include "shell/font_metrics.h"

#include <QFrame>

class EditorApp;

class ItemInfoWindow : public QFrame {
    Q_OBJECT
  public:
    ItemInfoWindow(EditorApp& app, const ShellMetrics& metrics, QWidget* parent = nullptr);

  Q_SIGNALS:
    void clicked();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    EditorApp& app_;
    ShellMetrics metrics_;
};

class CenterInfoWindow : public QFrame {
    Q_OBJECT
  public:
    CenterInfoWindow(EditorApp& app, const ShellMetrics& metrics, QWidget* parent = nullptr);

  Q_SIGNALS:
    void clicked();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    EditorApp& app_;
    ShellMetrics metrics_;
};

#pragma once
// The client area of the main window: the buttons, check boxes, group boxes and the grid-size
// text of the control table (control_layout.h), placed from the fixed-pitch font's measures, and
// the three child windows (map view, item information, centre information), placed from the
// client area's size whenever it changes.

#include "shell/font_metrics.h"

#include <QWidget>

#include <map>

class QAbstractButton;
class QButtonGroup;
class QLabel;

class ClientArea : public QWidget {
    Q_OBJECT
  public:
    ClientArea(const ShellMetrics& metrics, QWidget* parent = nullptr);

    // The three child windows, re-parented to this area and placed on every resize.
    void setChildWindows(QWidget* mapView, QWidget* itemInfo, QWidget* centerInfo);

    // Gives every control its label from the "Med Window Text" section and sizes the centre
    // information window for the widest text its format can give. Called once the interface
    // texts are loaded.
    void applyTexts();

    // The widget of control `id`, or null.
    QWidget* control(int id) const;
    // Checks or unchecks a check box or push-like radio button; checking a radio button
    // unchecks the others of its group. Other ids are ignored.
    void setControlCheck(int id, bool checked);
    // The text of the grid-size static text.
    void setGridSizeText(const QString& text);

    // The smallest client size that shows every control.
    QSize minimumSizeHint() const override;

  Q_SIGNALS:
    // A button or check box was clicked (its state already changed by the click).
    void controlClicked(int id);

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void createControls();
    void placeChildWindows();

    ShellMetrics metrics_;
    // Pixels the centre information window needs for its widest text (0 until applyTexts).
    int centerInfoWidth_ = 0;
    std::map<int, QWidget*> controls_;
    QWidget* mapView_ = nullptr;
    QWidget* itemInfo_ = nullptr;
    QWidget* centerInfo_ = nullptr;
};

// The id a control widget was made for (its "controlId" property), or 0.
int shell_ControlId(const QWidget* widget);

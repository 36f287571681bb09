#pragma once
// The modeless status window: a title and one line of text (control 3700), no buttons. Shown
// while the editor works through something long, such as loading models.

#include <QDialog>

class QLabel;

constexpr int kStatusTextControl = 3700;

class StatusWindow : public QDialog {
    Q_OBJECT
  public:
    explicit StatusWindow(QWidget* parent = nullptr);

    // The title ("Dialog Message" "STATUS") is set and the text emptied.
    void reset();
    void setText(const QString& text);
    QString text() const;

  private:
    QLabel* text_;
};

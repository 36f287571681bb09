#include "dialogs/dialog_frame.h"

#include "editor/number_text.h"
#include "shell/game_text.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include <cstring>

DialogFrame::DialogFrame(QWidget* parent, ShellServices& services) : QDialog(parent), services_(services) {
    setModal(true);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
}

void DialogFrame::registerControl(int id, QWidget* widget) {
    widget->setObjectName(QStringLiteral("control%1").arg(id));
    controls_[id] = widget;
}

QWidget* DialogFrame::control(int id) const {
    const auto found = controls_.find(id);
    return found == controls_.end() ? nullptr : found->second;
}

QLineEdit* DialogFrame::edit(int id) const {
    return qobject_cast<QLineEdit*>(control(id));
}
QPlainTextEdit* DialogFrame::textEdit(int id) const {
    return qobject_cast<QPlainTextEdit*>(control(id));
}
QListWidget* DialogFrame::list(int id) const {
    return qobject_cast<QListWidget*>(control(id));
}
QComboBox* DialogFrame::combo(int id) const {
    return qobject_cast<QComboBox*>(control(id));
}
QCheckBox* DialogFrame::check(int id) const {
    return qobject_cast<QCheckBox*>(control(id));
}
QRadioButton* DialogFrame::radio(int id) const {
    return qobject_cast<QRadioButton*>(control(id));
}
QPushButton* DialogFrame::button(int id) const {
    return qobject_cast<QPushButton*>(control(id));
}
QLabel* DialogFrame::label(int id) const {
    return qobject_cast<QLabel*>(control(id));
}
QGroupBox* DialogFrame::group(int id) const {
    return qobject_cast<QGroupBox*>(control(id));
}

QString DialogFrame::dialogText(const char* key) {
    return lookupText("Dialog Message", key);
}

QString DialogFrame::lookupText(const char* section, const char* key) {
    return shell_Text(section, key);
}

QString DialogFrame::ownText(const char* key) {
    return shell_OwnText(key);
}

QString DialogFrame::fromPageBytes(const char* bytes) {
    return shell_DecodeText(bytes);
}

std::string DialogFrame::toPageBytes(const QString& text, size_t limit) {
    // Characters the code page has no byte for cannot be stored in the page: they become '?'.
    return shell_EncodeText(text, limit);
}

void DialogFrame::storeField(char* field, size_t size, const QString& text) {
    if (size == 0) return;
    const std::string bytes = toPageBytes(text, size - 1);
    std::memcpy(field, bytes.data(), bytes.size());
    std::memset(field + bytes.size(), 0, size - bytes.size());
}

int32_t DialogFrame::parseInteger(const QString& text) {
    return text_ReadInteger(shell_EncodeText(text));
}

void DialogFrame::setTemplateSize(int widthUnits, int heightUnits) {
    // A dialog unit is a quarter of the average character width across and an eighth of the
    // character height down.
    const QFontMetrics metrics(font());
    const int charWidth = metrics.averageCharWidth();
    const int charHeight = metrics.height();
    resize(widthUnits * charWidth / 4, heightUnits * charHeight / 8);
}

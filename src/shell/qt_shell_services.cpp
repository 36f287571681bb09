#include "shell/qt_shell_services.h"

#include "shell/game_text.h"
#include "shell/stored_settings.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>

namespace {

QMessageBox::Icon qtIcon(MsgIcon icon) {
    switch (icon) {
    case MsgIcon::Information:
        return QMessageBox::Information;
    case MsgIcon::Warning:
        return QMessageBox::Warning;
    case MsgIcon::Error:
        return QMessageBox::Critical;
    case MsgIcon::Question:
        return QMessageBox::Question;
    case MsgIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

struct ButtonSet {
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton;
    QMessageBox::StandardButton escapeButton;
};

ButtonSet qtButtons(MsgButtons buttons) {
    switch (buttons) {
    case MsgButtons::YesNo:
        return {QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes, QMessageBox::No};
    case MsgButtons::YesNoCancel:
        return {QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes,
                QMessageBox::Cancel};
    case MsgButtons::OkCancel:
        return {QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok, QMessageBox::Cancel};
    case MsgButtons::Ok:
        break;
    }
    return {QMessageBox::Ok, QMessageBox::Ok, QMessageBox::Ok};
}

MsgAnswer answerOf(QMessageBox::StandardButton button) {
    switch (button) {
    case QMessageBox::Yes:
        return MsgAnswer::Yes;
    case QMessageBox::No:
        return MsgAnswer::No;
    case QMessageBox::Cancel:
        return MsgAnswer::Cancel;
    default:
        break;
    }
    return MsgAnswer::Ok;
}

} // namespace

MsgAnswer QtShellServices::showMessage(QWidget* parent, const std::string& caption, const std::string& text,
                                       MsgIcon icon, MsgButtons buttons) {
    const ButtonSet set = qtButtons(buttons);
    QMessageBox box(parent);
    box.setIcon(qtIcon(icon));
    if (!caption.empty()) box.setWindowTitle(shell_DecodeText(caption));
    // The texts come from the game's string tables: shown as they stand, never as markup.
    box.setTextFormat(Qt::PlainText);
    box.setText(shell_DecodeText(text));
    box.setStandardButtons(set.buttons);
    box.setDefaultButton(set.defaultButton);
    box.setEscapeButton(set.escapeButton);
    box.exec();
    QAbstractButton* clicked = box.clickedButton();
    const QMessageBox::StandardButton chosen =
        clicked != nullptr ? box.standardButton(clicked) : set.escapeButton;
    return answerOf(chosen == QMessageBox::NoButton ? set.escapeButton : chosen);
}

QString shell_QtNameFilter(const FileFilter& filter) {
    QStringList patterns = shell_DecodeText(filter.pattern).split(u';', Qt::SkipEmptyParts);
    for (QString& pattern : patterns)
        pattern = pattern.trimmed();
    patterns.removeAll(QString());
    if (patterns.isEmpty()) patterns << QStringLiteral("*");
    const QString list = patterns.join(u' ');
    const QString description = shell_DecodeText(filter.description).trimmed();
    const QString suffix = QStringLiteral("(") + list + QStringLiteral(")");
    if (description.endsWith(suffix)) return description;
    return description.isEmpty() ? suffix : description + u' ' + suffix;
}

QString QtShellServices::lastFolder() const {
    const QString stored = shell_StoredLastFolder();
    if (!stored.isEmpty() && QFileInfo(stored).isDir()) return stored;
    return QDir::currentPath();
}

void QtShellServices::prepareChooser(QFileDialog& dialog, FileDialogKind kind, const FileFilter& filter,
                                     const std::string& start) const {
    dialog.setNameFilter(shell_QtNameFilter(filter));
    // The chooser never changes the current directory, in which the game files are found.
    const QString where = start.empty() ? lastFolder() : QFile::decodeName(start.c_str());
    const QFileInfo info(where);
    if (info.isDir()) {
        dialog.setDirectory(where);
    } else {
        dialog.setDirectory(info.absolutePath());
        dialog.selectFile(info.fileName());
    }
    // Any name may be typed: the editor applies the default extension to an open and offers to
    // create a file that does not exist.
    dialog.setFileMode(QFileDialog::AnyFile);
    if (kind == FileDialogKind::Open) {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(shell_DecodeText(filter.default_extension));
    }
}

std::string QtShellServices::chooseFile(QWidget* parent, FileDialogKind kind, const FileFilter& filter,
                                        const std::string& start) {
    QFileDialog dialog(parent);
    prepareChooser(dialog, kind, filter, start);
    if (dialog.exec() != QDialog::Accepted) return {};
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty()) return {};
    shell_StoreLastFolder(QFileInfo(files.first()).absolutePath());
    return QFile::encodeName(files.first()).toStdString();
}

#pragma once
// Driving dialogs from a test. A modal dialog is answered by a click queued before its exec()
// starts and carried out once the dialog's own event loop runs.

#include "dialogs/dialog_frame.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>

// Queues a click on control `id` of the modal dialog that will be active. Should that dialog have
// no such button (or none be open), the active modal widget is closed instead, so that a failing
// test ends rather than waits forever; the id of the button that was clicked goes to *clicked.
inline void dialogTest_ClickWhenModal(int id, int* clicked = nullptr) {
    QTimer::singleShot(0, [id, clicked] {
        QWidget* modal = QApplication::activeModalWidget();
        auto* dialog = qobject_cast<DialogFrame*>(modal);
        if (dialog != nullptr && dialog->button(id) != nullptr) {
            if (clicked != nullptr) *clicked = id;
            dialog->button(id)->click();
        } else if (modal != nullptr) {
            modal->close();
        }
    });
}

// Shows `dialog` (not modally) so that mouse clicks reach its controls where they are drawn.
inline bool dialogTest_Shown(QDialog& dialog) {
    dialog.show();
    return QTest::qWaitForWindowExposed(&dialog);
}

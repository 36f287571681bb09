#pragma once
// Driving the events dialogs from a test: answering a modal trigger or action dialog once it is
// open, double clicks on list lines, choosing a list entry by its code, and trigger and action
// records as the dialogs write them (-1 in the variables they do not use).

#include "dialogs/dialog_frame.h"
#include "mission/mission_page.h"

#include <QApplication>
#include <QComboBox>
#include <QListWidget>
#include <QTest>
#include <QTimer>

#include <functional>

// Runs `answer` on the dialog of type T once it is the active modal window (it must close it),
// looking for it every 10 ms up to `attempts` times.
template <typename T> void whenModal(std::function<void(T&)> answer, int attempts = 100, int delay = 0) {
    QTimer::singleShot(delay, [answer, attempts] {
        if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget()))
            answer(*dialog);
        else if (attempts > 1)
            whenModal<T>(answer, attempts - 1, 10);
    });
}

inline void doubleClickRow(QListWidget* list, int row) {
    QListWidgetItem* item = list->item(row);
    QVERIFY(item != nullptr);
    const QPoint at = list->visualItemRect(item).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

// Chooses the entry carrying `code`, as a user picking it from the list would.
inline void chooseCode(QComboBox* combo, int code) {
    const int index = combo->findData(code);
    QVERIFY2(index >= 0, qPrintable(QStringLiteral("no entry with code %1").arg(code)));
    combo->setCurrentIndex(index);
}

inline EventTrigger makeTrigger(int32_t flags, int32_t type, int32_t condition, int32_t v3, int32_t v4 = -1) {
    EventTrigger trigger{};
    trigger.value[0] = flags;
    trigger.value[1] = type;
    trigger.value[2] = condition;
    trigger.value[3] = v3;
    trigger.value[4] = v4;
    trigger.value[5] = -1;
    trigger.value[6] = -1;
    return trigger;
}

inline EventAction makeAction(int32_t type, int32_t aiChange, int32_t v3, int32_t v4 = -1) {
    EventAction action{};
    action.value[1] = type;
    action.value[2] = aiChange;
    action.value[3] = v3;
    action.value[4] = v4;
    action.value[5] = -1;
    action.value[6] = -1;
    return action;
}

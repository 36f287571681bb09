#pragma once
// The keyboard focus order of a dialog's controls, given in one list (Tab goes from each to the
// next).

#include <QWidget>

#include <initializer_list>

inline void dialogs_SetTabChain(std::initializer_list<QWidget*> chain) {
    QWidget* previous = nullptr;
    for (QWidget* widget : chain) {
        if (previous != nullptr) QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}

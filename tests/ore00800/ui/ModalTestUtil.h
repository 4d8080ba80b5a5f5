#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>

// Queues what the operator does in a modal window that the next call will
// open: `action` runs from the window's own event loop, with the window. If
// the window is still up afterwards the test fails and the window is closed,
// so that a broken close cannot hang the run.
inline void WhenModal(std::function<void(QWidget*)> action) {
    QTimer::singleShot(0, [action] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) {
            ADD_FAILURE() << "no modal window is up";
            return;
        }
        action(modal);
        if (modal->isVisible()) {
            ADD_FAILURE() << "the modal window is still up";
            modal->close();
        }
    });
}

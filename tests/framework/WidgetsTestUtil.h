#pragma once

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

#include <gtest/gtest.h>

// A shown, active window with the controls under test and a plain edit after
// them, so that focus moves (Tab, clicks) go as they do on screen.
class TTestWindow : public QWidget {
public:
    TTestWindow() : m_layout(new QVBoxLayout(this)) {}

    template <class T> T* Add() {
        auto* control = new T(this);
        m_layout->addWidget(control);
        return control;
    }

    // Shows the window with `first` focused; `Next()` is the edit that follows.
    void Show(QWidget* first) {
        m_next = Add<QLineEdit>();
        m_next->setObjectName(QStringLiteral("edtNext"));
        show();
        activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(this));
        first->setFocus(Qt::OtherFocusReason);
    }
    QLineEdit* Next() const { return m_next; }

private:
    QVBoxLayout* m_layout;
    QLineEdit* m_next = nullptr;
};

// Runs what a focus move queued (exit handlers run after the move).
inline void Settle() {
    QCoreApplication::processEvents();
}

// Leaves `control` with Tab and lets its exit handler run.
inline void TabOut(QWidget* control) {
    QTest::keyClick(control, Qt::Key_Tab);
    Settle();
}

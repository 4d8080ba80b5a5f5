#pragma once

#include "framework/widgets/ModalRunner.h"

#include <QDialog>

#include <functional>

// For its lifetime, the framework's modal windows open without a nested
// event loop: each is shown, handed to `drive` (which works it with QTest
// events as the operator would) and its result is whatever the operator's
// keys and clicks left. A window that `drive` does not close is cancelled.
class TModalHook {
public:
    explicit TModalHook(std::function<void(QDialog&)> drive) {
        TModalRunner::SetHook([this, drive](QDialog& window) {
            ++m_opened;
            window.setResult(QDialog::Rejected);
            window.show();
            window.activateWindow();
            drive(window);
            const int result = window.isVisible() ? int(QDialog::Rejected) : window.result();
            window.hide();
            return result;
        });
    }
    ~TModalHook() { TModalRunner::SetHook({}); }

    int Opened() const { return m_opened; }

private:
    int m_opened = 0;
};

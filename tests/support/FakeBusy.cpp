#include "tests/support/FakeBusy.h"

#include <gtest/gtest.h>

TFakeBusy::TFakeBusy() {
    TBusyIndicator::Install(this);
}

TFakeBusy::~TFakeBusy() {
    TBusyIndicator::Install(nullptr);
}

void TFakeBusy::Activate(QWidget* mainForm, int kind) {
    m_log << QStringLiteral("Active(%1)").arg(kind);
    m_lastForm = mainForm;
    ++m_depth;
}

void TFakeBusy::Deactivate() {
    m_log << QStringLiteral("Deactive");
    if (m_depth == 0)
        ADD_FAILURE() << "busy indicator deactivated more often than activated";
    else
        --m_depth;
}

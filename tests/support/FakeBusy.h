#pragma once

#include "framework/services/BusyIndicator.h"

#include <QStringList>

// Records the busy indicator's activations ("Active(6)") and deactivations
// ("Deactive") in order, and installs itself for its lifetime.
class TFakeBusy : public TBusyIndicator {
public:
    TFakeBusy();
    ~TFakeBusy() override;

    void Activate(QWidget* mainForm, int kind) override;
    void Deactivate() override;

    const QStringList& Log() const { return m_log; }
    // Activations not yet ended: 0 whenever the operator has control again.
    int Depth() const { return m_depth; }
    void Clear() { m_log.clear(); }
    QWidget* LastForm() const { return m_lastForm; }

private:
    QStringList m_log;
    int m_depth = 0;
    QWidget* m_lastForm = nullptr;
};

#pragma once

#include "framework/services/BusyIndicator.h"

#include <QPointer>
#include <QWidget>

class TBusyBox;

// The product's busy indicator: a box ("pnlAguarde") centred on the main
// window with a text ("lblAguarde"), and the wait cursor. It is painted at
// once, alone, since no event loop runs until the call returns (the rest of
// the window is painted when it does); nothing the operator does meanwhile
// is delivered before it has gone. Nested activations keep the first window
// and text.
class TBusyOverlay : public TBusyIndicator {
public:
    void Activate(QWidget* mainForm, int kind) override;
    void Deactivate() override;

    int Depth() const { return m_depth; }
    // The panel while shown, else null.
    QWidget* Panel() const;

private:
    void Remove();

    int m_depth = 0;
    QPointer<TBusyBox> m_panel; // kept hidden between calls
};

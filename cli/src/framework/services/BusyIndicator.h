#pragma once

class QWidget;

// Shows the operator that a synchronous call is under way. Replaceable like
// the dialogs: the product draws an overlay (BusyOverlay.h), tests install a
// recording fake. An implementation must not run an event loop or process
// events: no input, timer or deferred deletion may re-enter a screen while
// the call is under way.
class TBusyIndicator {
public:
    virtual ~TBusyIndicator();

    // Calls nest: every Activate is paired with one Deactivate.
    virtual void Activate(QWidget* mainForm, int kind) = 0;
    virtual void Deactivate() = 0;

    // The current indicator: the overlay unless a test installed another.
    static TBusyIndicator& Current();
    // Installs `indicator` (not owned); null restores the overlay.
    static void Install(TBusyIndicator* indicator);
};

// Shows the indicator over `mainForm` (the active window when null). `kind`
// picks the text: 6 "Processando...", any other "Aguarde...".
void ActiveShowAvi(QWidget* mainForm, int kind = 1);
// Ends one ActiveShowAvi; the indicator goes with the last.
void DeactiveShowAvi();

// ActiveShowAvi for the life of a scope: the indicator goes however the scope
// ends, a failure of the call included.
class TBusyScope {
public:
    explicit TBusyScope(QWidget* mainForm, int kind = 1) { ActiveShowAvi(mainForm, kind); }
    ~TBusyScope() { DeactiveShowAvi(); }
    TBusyScope(const TBusyScope&) = delete;
    TBusyScope& operator=(const TBusyScope&) = delete;
};

#include "framework/services/BusyIndicator.h"

#include "framework/services/BusyOverlay.h"

namespace {
TBusyIndicator* g_installed = nullptr;
}

TBusyIndicator::~TBusyIndicator() = default;

TBusyIndicator& TBusyIndicator::Current() {
    static TBusyOverlay overlay;
    return g_installed ? *g_installed : overlay;
}

void TBusyIndicator::Install(TBusyIndicator* indicator) {
    g_installed = indicator;
}

void ActiveShowAvi(QWidget* mainForm, int kind) {
    TBusyIndicator::Current().Activate(mainForm, kind);
}

void DeactiveShowAvi() {
    TBusyIndicator::Current().Deactivate();
}

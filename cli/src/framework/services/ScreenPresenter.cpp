#include "framework/services/ScreenPresenter.h"

#include <QWidget>

namespace {
TScreenPresenter g_presenter;
}

void SetScreenPresenter(TScreenPresenter presenter) {
    g_presenter = std::move(presenter);
}

void PresentScreen(QWidget* screen, bool maximized) {
    if (g_presenter) {
        g_presenter(screen, maximized);
        return;
    }
    if (maximized)
        screen->showMaximized();
    else
        screen->showNormal();
    screen->raise();
    screen->activateWindow();
}

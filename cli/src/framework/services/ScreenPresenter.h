#pragma once

#include <functional>

class QWidget;

// How a module shows its non-modal screens. Modules create their screens as
// top-level widgets; the host installs a presenter that puts them in its MDI
// area. Without one (tests, other hosts) the screen is shown as a window.
using TScreenPresenter = std::function<void(QWidget* screen, bool maximized)>;

// Installs `presenter`; an empty one restores plain windows.
void SetScreenPresenter(TScreenPresenter presenter);

// Shows `screen` (not modal), maximised or in its normal state; called again
// for a screen already shown, it brings it forward in the requested state.
void PresentScreen(QWidget* screen, bool maximized);

#pragma once

#include <functional>

class QFocusEvent;
class QWidget;

// Runs a control's exit handler after the operator moved the focus away from
// `control`: after Qt has finished delivering the focus change (the handler may
// show a box), through Dispatch, and only for a real move, not because another
// window (a box, a popup) took the focus. A handler that fails or aborts
// brings the focus back, so the operator stays on the control.
void RunExitAfterFocusOut(QWidget* control, const QFocusEvent* event,
                          std::function<void()> handler);

#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <unordered_map>

// Enter and exit handlers for controls and for the containers around them,
// which Qt lacks. Focus changes inside one window run, once Qt has finished
// delivering the change:
//   - the exits, innermost first (the control, then each container it leaves),
//   - then the enters, outermost first (each container entered, then the control).
// An exit handler that fails (EAbort silently, anything else with its message)
// vetoes the move: the focus goes back where it was and nothing more runs.
// Focus that leaves or comes back because a window opened or closed (a
// message box, a picker, a dialog) runs nothing, so a box shown by an exit
// handler does not run that handler again. Focus moves made by the handlers
// themselves run no handlers either, except inside a modal window that a
// handler opened: that window's own moves are the operator's. Tests let the queued handlers run
// with QCoreApplication::processEvents() after a focus move.
class TFocusTracker : public QObject {
public:
    using Handler = std::function<void()>;

    static TFocusTracker& Instance();

    void SetOnEnter(QWidget* w, Handler h);
    void SetOnExit(QWidget* w, Handler h);
    // A control's own exit work (a date edit's check, a data-aware edit
    // writing its field): it runs before the screen's exit handler of the
    // same control, and vetoes the move alike when it fails.
    void SetControlExit(QWidget* w, Handler h);

private:
    TFocusTracker();
    struct THandlers {
        Handler enter;
        Handler control;
        Handler exit;
    };

    void FocusChanged(QWidget* old, QWidget* now);
    void Deliver(QPointer<QWidget> old, QPointer<QWidget> now);
    THandlers& Entry(QWidget* w);
    // `w` and its ancestors that have handlers, innermost first.
    std::vector<QWidget*> Chain(QWidget* w) const;

    std::unordered_map<QWidget*, THandlers> m_handlers;
    bool m_running = false;
    int m_runningLevel = 0; // the modal level (TNestedLoopScope) the running handlers are on
};

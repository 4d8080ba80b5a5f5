#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <unordered_map>

// Enter and exit handlers for controls and for the containers around them,
// which Qt lacks. The operator's focus moves inside one window (or one screen
// of the host's MDI area) run, once Qt has finished delivering the change:
//   - the exits, innermost first (the control, then each container it leaves),
//   - then the enters, outermost first (each container entered, then the control).
// An exit handler that fails (EAbort silently, anything else with its message)
// vetoes the move: the focus goes back where it was and nothing more runs.
//
// Focus moves that are not the operator's run nothing:
//   - moves made while a handler runs (HandlerRunning: a check putting the
//     focus on the control to mend, a control disabled or hidden while it had
//     the focus, a screen activating), the tracker's own deliveries included;
//     inside a modal window that a handler opened through TModalRunner the
//     window's own moves are the operator's again;
//   - moves between windows, or between screens of an MDI area: a window or
//     screen opening, closing or becoming active (so a box shown by an exit
//     handler does not run that handler again, and closing a screen never
//     runs its checks);
//   - the focus a window, an MDI frame, a menu or a menu bar holds on the way
//     back to a control: a screen's frame takes it when the operator clicks
//     its tool bar, menu bar or title bar, a menu bar when it is navigated
//     from the keyboard.
// Moves are judged from the control the focus was last in, so the operator's
// next move starts where the code put the focus.
// Tests let the queued handlers run with QCoreApplication::processEvents()
// after a focus move.
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
    void Run(const QPointer<QWidget>& old, const QPointer<QWidget>& now);
    THandlers& Entry(QWidget* w);
    // `w` and its ancestors inside its window or MDI frame that have
    // handlers, innermost first.
    std::vector<QPointer<QWidget>> Chain(QWidget* w) const;

    std::unordered_map<QWidget*, THandlers> m_handlers;
    QPointer<QWidget> m_last; // the control the focus was last in
};

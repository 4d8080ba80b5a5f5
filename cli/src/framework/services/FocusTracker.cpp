#include "framework/services/FocusTracker.h"

#include "framework/services/Dispatch.h"

#include <QApplication>
#include <QMdiSubWindow>
#include <QMenuBar>

#include <algorithm>
#include <utility>

TFocusTracker& TFocusTracker::Instance() {
    static TFocusTracker* tracker = new TFocusTracker; // lives as long as the application
    return *tracker;
}

TFocusTracker::TFocusTracker() {
    setParent(qApp);
    connect(qApp, &QApplication::focusChanged, this, &TFocusTracker::FocusChanged);
}

TFocusTracker::THandlers& TFocusTracker::Entry(QWidget* w) {
    auto [it, added] = m_handlers.try_emplace(w);
    if (added)
        connect(w, &QObject::destroyed, this, [this, w] { m_handlers.erase(w); });
    return it->second;
}

void TFocusTracker::SetOnEnter(QWidget* w, Handler h) {
    Entry(w).enter = std::move(h);
}

void TFocusTracker::SetOnExit(QWidget* w, Handler h) {
    Entry(w).exit = std::move(h);
}

void TFocusTracker::SetControlExit(QWidget* w, Handler h) {
    Entry(w).control = std::move(h);
}

namespace {

// The window, or the host's MDI frame, that `w` is shown in: moving between
// them is activation, not moving between controls.
QWidget* Frame(QWidget* w) {
    while (w && !w->isWindow() && !qobject_cast<QMdiSubWindow*>(w))
        w = w->parentWidget();
    return w;
}

// What holds the focus only on the way back to a control: a window or MDI
// frame itself (a screen's frame takes it when the operator clicks its tool
// bar, menu bar or title bar, and hands it back), a menu (a window of its
// own) and a menu bar navigated from the keyboard.
bool PassesFocusOn(QWidget* w) {
    return w == Frame(w) || qobject_cast<QMenuBar*>(w);
}

} // namespace

std::vector<QPointer<QWidget>> TFocusTracker::Chain(QWidget* w) const {
    std::vector<QPointer<QWidget>> out;
    for (; w; w = w == Frame(w) ? nullptr : w->parentWidget())
        if (m_handlers.count(w))
            out.emplace_back(w);
    return out;
}

void TFocusTracker::FocusChanged(QWidget*, QWidget* now) {
    // Moves are judged from the control the focus was last in, not from
    // whatever held it on the way (a frame, a menu bar).
    if (!now) {
        // Taken away by the code (the control disabled or hidden): the next
        // move starts from nowhere. Taken by another application: it comes back.
        if (HandlerRunning())
            m_last = nullptr;
        return;
    }
    if (PassesFocusOn(now))
        return;
    const QPointer<QWidget> from = std::exchange(m_last, now);
    // Moves the application's code makes (a check putting the focus on the
    // control to mend, a control disabled or hidden while it had it, a screen
    // activating) and moves between windows or screens run nothing.
    if (HandlerRunning() || !from || from == now || Frame(from) != Frame(now))
        return;
    // Run after Qt has finished delivering the change, so that a handler may
    // open a modal dialog.
    QMetaObject::invokeMethod(
        this, [this, from, n = QPointer<QWidget>(now)] { Deliver(from, n); }, Qt::QueuedConnection);
}

void TFocusTracker::Deliver(QPointer<QWidget> old, QPointer<QWidget> now) {
    // The delivery is itself a handler: the moves its handlers make, and the
    // veto's, run nothing more.
    Dispatch([&] { Run(old, now); });
}

void TFocusTracker::Run(const QPointer<QWidget>& old, const QPointer<QWidget>& now) {
    if (!old || !now)
        return;
    const std::vector<QPointer<QWidget>> from = Chain(old);
    const std::vector<QPointer<QWidget>> to = Chain(now);
    auto contains = [](const std::vector<QPointer<QWidget>>& v, const QWidget* w) {
        return std::find(v.begin(), v.end(), w) != v.end();
    };
    for (const QPointer<QWidget>& w : from) {
        if (!w)
            return; // gone with a handler's doing
        if (contains(to, w))
            break; // a container both were in: not left
        // Copies: a handler may replace them.
        const THandlers h = m_handlers[w];
        if ((h.control && !Dispatch(h.control)) || (h.exit && !Dispatch(h.exit))) {
            // The handler may already have put the focus somewhere; otherwise back where it was.
            if (old && now && QApplication::focusWidget() == now)
                old->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
    for (auto it = to.rbegin(); it != to.rend(); ++it) {
        if (!*it || contains(from, *it))
            continue;
        const Handler h = m_handlers[*it].enter;
        if (h && !Dispatch(h))
            break;
    }
}

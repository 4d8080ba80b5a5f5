#include "FocusTracker.h"

#include "Dispatch.h"

#include <QApplication>

#include <algorithm>

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

std::vector<QWidget*> TFocusTracker::Chain(QWidget* w) const {
    std::vector<QWidget*> out;
    for (; w; w = w->isWindow() ? nullptr : w->parentWidget())
        if (m_handlers.count(w))
            out.push_back(w);
    return out;
}

void TFocusTracker::FocusChanged(QWidget* old, QWidget* now) {
    // Moves between windows are window activation, and moves the handlers
    // make are theirs: neither runs handlers.
    if ((m_running && m_runningLevel == TNestedLoopScope::Level()) || !old || !now ||
        old->window() != now->window())
        return;
    // Run after Qt has finished delivering the change, so that a handler may
    // open a modal dialog.
    QMetaObject::invokeMethod(
        this, [this, o = QPointer<QWidget>(old), n = QPointer<QWidget>(now)] { Deliver(o, n); },
        Qt::QueuedConnection);
}

void TFocusTracker::Deliver(QPointer<QWidget> old, QPointer<QWidget> now) {
    if (!old || !now)
        return;
    const std::vector<QWidget*> from = Chain(old);
    const std::vector<QWidget*> to = Chain(now);
    auto contains = [](const std::vector<QWidget*>& v, QWidget* w) {
        return std::find(v.begin(), v.end(), w) != v.end();
    };
    // A handler may open a modal window whose own moves run handlers here:
    // put back the state of the run that this one may be nested in.
    const bool wasRunning = m_running;
    const int wasLevel = m_runningLevel;
    m_running = true;
    m_runningLevel = TNestedLoopScope::Level();
    bool vetoed = false;
    for (QWidget* w : from) {
        if (contains(to, w))
            break; // a container both were in: not left
        // Copies: a handler may replace them.
        const THandlers h = m_handlers[w];
        if ((h.control && !Dispatch(h.control)) || (h.exit && !Dispatch(h.exit))) {
            vetoed = true;
            break;
        }
    }
    if (vetoed) {
        // The handler may already have put the focus somewhere; otherwise back where it was.
        if (old && QApplication::focusWidget() == now)
            old->setFocus(Qt::OtherFocusReason);
    } else {
        for (auto it = to.rbegin(); it != to.rend(); ++it) {
            if (contains(from, *it))
                continue;
            const Handler h = m_handlers[*it].enter;
            if (h && !Dispatch(h))
                break;
        }
    }
    m_running = wasRunning;
    m_runningLevel = wasLevel;
}

#pragma once

#include <QString>

#include <functional>
#include <vector>

// Every handler that a widget event, signal or menu command runs is entered
// through Dispatch, as the host runs events: EAbort ends it silently, any
// other exception is shown to the operator in an error box (the host's error
// handling). Returns true when the handler ran to its end.
bool Dispatch(const std::function<void()>& handler);

// Runs `fn` once the outermost running handler has returned (at once from the
// event loop when none runs): for what must not happen inside a handler, such
// as a dialog closing while the handler that closed it still works.
void AfterHandlers(std::function<void()> fn);

// A modal window's event loop entered from inside a handler, for its
// lifetime: the handlers that the window runs count as outermost, so that
// what they defer with AfterHandlers (the window's own close) happens when
// they return rather than when the handler that opened the window does.
// TModalRunner opens one around every window it runs.
class TModalLoopScope {
public:
    TModalLoopScope();
    ~TModalLoopScope();
    TModalLoopScope(const TModalLoopScope&) = delete;
    TModalLoopScope& operator=(const TModalLoopScope&) = delete;

    // How many such windows are up, nested ones included.
    static int Level();

private:
    int m_depth;
    std::vector<std::function<void()>> m_after;
};

// Shows `text` in an error box; with `abort` it then throws EAbort, so that
// the handler ends without a second message.
void MensErro(const QString& text, bool abort = true);

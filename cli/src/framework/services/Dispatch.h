#pragma once

#include <QString>

#include <functional>
#include <vector>

// Every handler that a widget event, signal or menu command runs is entered
// through Dispatch, as the host runs events: EAbort ends it silently, any
// other exception is shown to the operator in an error box (the host's error
// handling). Returns true when the handler ran to its end.
bool Dispatch(const std::function<void()>& handler);

// True while a handler runs on the current modal level (those of a modal
// window's own loop count from zero again, see TNestedLoopScope): what happens
// meanwhile, focus moves included, is the application's doing, not the
// operator's.
bool HandlerRunning();

// Runs `fn` once the outermost running handler has returned (at once from the
// event loop when none runs): for what must not happen inside a handler, such
// as a dialog closing while the handler that closed it still works.
void AfterHandlers(std::function<void()> fn);

// For the life of a nested event loop (a modal window's): the handlers that
// the loop runs count as outermost, so what they defer with AfterHandlers
// runs when they return, not when the handler that opened the window does,
// which waits for that window to close.
class TNestedLoopScope {
public:
    TNestedLoopScope();
    ~TNestedLoopScope();
    TNestedLoopScope(const TNestedLoopScope&) = delete;
    TNestedLoopScope& operator=(const TNestedLoopScope&) = delete;

    // How many such loops are running: focus moves inside a window opened by
    // a handler belong to that window (see TFocusTracker).
    static int Level();

private:
    int m_depth;
    std::vector<std::function<void()>> m_after;
};

// Shows `text` in an error box; with `abort` it then throws EAbort, so that
// the handler ends without a second message.
void MensErro(const QString& text, bool abort = true);

#pragma once

#include <QString>

#include <functional>

// Every handler that a widget event, signal or menu command runs is entered
// through Dispatch, as the host runs events: EAbort ends it silently, any
// other exception is shown to the operator in an error box (the host's error
// handling). Returns true when the handler ran to its end.
bool Dispatch(const std::function<void()>& handler);

// Runs `fn` once the outermost running handler has returned (at once from the
// event loop when none runs): for what must not happen inside a handler, such
// as a dialog closing while the handler that closed it still works.
void AfterHandlers(std::function<void()> fn);

// Shows `text` in an error box; with `abort` it then throws EAbort, so that
// the handler ends without a second message.
void MensErro(const QString& text, bool abort = true);

#pragma once

#include <QString>

#include <functional>

// Every handler that a widget event, signal or menu command runs is entered
// through Dispatch, as the host runs events: EAbort ends it silently, any
// other exception is shown to the operator in an error box (the host's error
// handling). Returns true when the handler ran to its end.
bool Dispatch(const std::function<void()>& handler);

// Shows `text` in an error box; with `abort` it then throws EAbort, so that
// the handler ends without a second message.
void MensErro(const QString& text, bool abort = true);

#pragma once

#include <QString>

#include <chrono>
#include <functional>

// How a write transaction is run again when the database refused it for
// another transaction's sake (a deadlock, a serialization failure, a lock
// or busy wait that ran out: IsTransientConflict). Each attempt starts from
// nothing, since the refused transaction was rolled back whole.
struct TConflictRetry {
    int attempts = 4;                                     // runs at most, the first included
    std::chrono::milliseconds firstPause{20};             // doubled after each refusal, plus jitter
    std::function<void(std::chrono::milliseconds)> pause; // empty: sleeps
};

// Runs `work` until it returns, fails otherwise, or has been refused by
// transient conflicts `retry.attempts` times; then the engine's last error
// goes to the server's log and the caller gets ERemoteError(`exhausted`).
void RunRetryingConflicts(const std::function<void()>& work, const QString& exhausted,
                          const TConflictRetry& retry = {});

#pragma once

#include <QString>

class TDbConnection;

// Slows down guessing: after kFreeFailures failed sign-ins in a row for one
// typed operator code (whether an operator has it or not, so that the
// answer tells nothing), sign-ins for it are refused for 30 s, doubling with
// each further failure up to 15 min. A success clears the count. Kept in the
// database (FALHAENTRADA), shared by every server process.
namespace SignInThrottle {

constexpr int kFreeFailures = 5;

// The lock-out that the `failures`-th failure in a row starts, in seconds.
qint64 LockSeconds(int failures);
// Seconds left of the lock-out of `code` at `now`; 0 when none runs.
qint64 SecondsLocked(TDbConnection& db, const QString& code, qint64 now);
// Counts a failure of `code` at `now`; returns the count so far.
int RecordFailure(TDbConnection& db, const QString& code, qint64 now);
void Clear(TDbConnection& db, const QString& code);
// The refusal while locked: the same for every code.
QString LockedSentence(qint64 seconds);

} // namespace SignInThrottle

#pragma once

#include "core/data/Exceptions.h"

// A failure of the database or of its use: a bad URL, a refused connection, a
// statement the engine rejected. The message carries the engine's own text;
// the native code, when the engine gave one, is its error code (SQLite's
// extended result code, PostgreSQL's SQLSTATE).
class EDbError : public Exception {
public:
    explicit EDbError(QString message, QString nativeCode = {})
        : Exception(std::move(message)), m_nativeCode(std::move(nativeCode)) {}
    const QString& NativeCode() const noexcept { return m_nativeCode; }

private:
    QString m_nativeCode;
};

// Whether the engine refused because of another transaction, so that running
// the same transaction again may succeed: SQLite's busy and locked codes (5,
// 6 and their extended forms), PostgreSQL's serialization_failure (40001),
// deadlock_detected (40P01) and lock_not_available (55P03, a lock wait that
// ran out of time).
bool IsTransientConflict(const EDbError& e);

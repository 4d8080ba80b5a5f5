#pragma once

#include "core/db/DbUrl.h"

#include <QString>

#include <atomic>
#include <chrono>
#include <functional>
#include <optional>

struct TSessionOptions {
    // A session nobody uses for this long ends.
    std::chrono::seconds idle{std::chrono::hours(8)};
    // Last use is written at most this often per session, so that most calls
    // only read.
    std::chrono::seconds touchEvery{60};
    // How often this process deletes sessions (and old sign-in failures) that
    // have run out.
    std::chrono::seconds sweepEvery{std::chrono::minutes(10)};
    // Seconds since 1970 UTC; null for the system clock. Tests move it.
    std::function<qint64()> now;
};

// The live session a token names.
struct TSession {
    QString operador;
    QString key; // SessionKey of the token
};

// The sessions, kept in the business database (SESSAOOPER) so that every
// server process on it shares them. Each thread uses its own connection
// (OpenDatabase); every method may throw EDbError.
class TSessionStore {
public:
    explicit TSessionStore(DbUrl url, TSessionOptions options = {});

    const DbUrl& Url() const { return m_url; }
    const TSessionOptions& Options() const { return m_options; }
    qint64 Now() const;

    // Starts a session of `operador` signed in from `peer`; returns its token,
    // which is kept nowhere.
    QString Create(const QString& operador, const QString& peer);
    // The live session of `token`, with its last use brought up to date; empty
    // for a token that names none (forged, ended, expired, or whose operator
    // has been made inactive).
    std::optional<TSession> Check(const QString& token);
    // Ends the session of `key` (sign-out).
    void End(const QString& key);
    // Deletes what has run out; Check runs it now and then.
    void Sweep();

private:
    DbUrl m_url;
    TSessionOptions m_options;
    std::atomic<qint64> m_nextSweep{0};
};

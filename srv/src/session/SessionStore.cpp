#include "session/SessionStore.h"

#include "core/db/DbConnection.h"
#include "core/db/SqlStatement.h"
#include "session/SessionToken.h"

#include <QDateTime>

namespace {

// A failure older than this, with no lock-out running, is forgotten.
constexpr qint64 kFailureMemorySeconds = 24 * 3600;

} // namespace

TSessionStore::TSessionStore(DbUrl url, TSessionOptions options)
    : m_url(std::move(url)), m_options(std::move(options)) {}

qint64 TSessionStore::Now() const {
    return m_options.now ? m_options.now() : QDateTime::currentSecsSinceEpoch();
}

QString TSessionStore::Create(const QString& operador, const QString& peer) {
    const QString token = NewSessionToken();
    const qint64 now = Now();
    TSqlStatement st(OpenDatabase(m_url),
                     QStringLiteral("INSERT INTO SESSAOOPER (HASHSESSAO, CDOPERADOR, DTINICIO, "
                                    "DTULTUSO, DTEXPIRA, TXENDERECO) VALUES (:H, :O, :T, :U, :E, "
                                    ":A)"));
    st.Exec({{"H", SessionKey(token)},
             {"O", operador},
             {"T", now},
             {"U", now},
             {"E", now + m_options.idle.count()},
             {"A", peer.left(64)}});
    return token;
}

std::optional<TSession> TSessionStore::Check(const QString& token) {
    if (!LooksLikeSessionToken(token))
        return std::nullopt;
    const qint64 now = Now();
    if (now >= m_nextSweep.load(std::memory_order_relaxed)) {
        m_nextSweep = now + m_options.sweepEvery.count();
        Sweep();
    }
    TDbConnection& db = OpenDatabase(m_url);
    TSession session{{}, SessionKey(token)};
    // Runs on every call: read straight from the engine on a statement the
    // connection keeps prepared.
    const auto row = SelectRow(db,
                               QStringLiteral("SELECT S.CDOPERADOR, S.DTULTUSO FROM SESSAOOPER S "
                                              "JOIN OPERADOR O ON O.CDOPERADOR = S.CDOPERADOR "
                                              "WHERE S.HASHSESSAO = :H AND S.DTEXPIRA > :T AND "
                                              "O.IDATIVOOPER = 'S'"),
                               {{"H", session.key}, {"T", now}});
    if (!row)
        return std::nullopt;
    session.operador = row->at(0).toString();
    const qint64 lastUse = row->at(1).toLongLong();
    if (now - lastUse >= m_options.touchEvery.count())
        ExecSql(db,
                QStringLiteral("UPDATE SESSAOOPER SET DTULTUSO = :T, DTEXPIRA = :E "
                               "WHERE HASHSESSAO = :H"),
                {{"T", now}, {"E", now + m_options.idle.count()}, {"H", session.key}});
    return session;
}

void TSessionStore::End(const QString& key) {
    TSqlStatement st(OpenDatabase(m_url),
                     QStringLiteral("DELETE FROM SESSAOOPER WHERE HASHSESSAO = :H"));
    st.Exec({{"H", key}});
}

void TSessionStore::Sweep() {
    TDbConnection& db = OpenDatabase(m_url);
    const qint64 now = Now();
    TSqlStatement(db, QStringLiteral("DELETE FROM SESSAOOPER WHERE DTEXPIRA <= :T"))
        .Exec({{"T", now}});
    TSqlStatement(db, QStringLiteral("DELETE FROM FALHAENTRADA WHERE DTBLOQUEIO <= :T AND "
                                     "DTULTFALHA <= :V"))
        .Exec({{"T", now}, {"V", now - kFailureMemorySeconds}});
}

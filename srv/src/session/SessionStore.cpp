#include "session/SessionStore.h"

#include "core/db/DbConnection.h"
#include "core/db/SqlStatement.h"
#include "session/SessionToken.h"

#include <QDateTime>
#include <QSqlDriver>

#include <map>
#include <memory>

namespace {

std::atomic<quint64> g_nextStoreId{1};

// The statements of the check, prepared once per thread and store: preparing
// costs more than running them (a round trip on PostgreSQL), and they run on
// every call.
struct TCheckStatements {
    std::unique_ptr<TSqlStatement> select, touch;
};

TCheckStatements& CheckStatements(quint64 storeId, TDbConnection& db) {
    thread_local std::map<quint64, TCheckStatements> cache;
    TCheckStatements& c = cache[storeId];
    // A statement of a connection closed since (CloseThreadDatabases) has
    // lost its driver, which Qt tracks: it is prepared again on the new one.
    const QSqlDriver* driver = db.Database().driver();
    if (!c.select || c.select->Query().driver() != driver) {
        c.select = std::make_unique<TSqlStatement>(
            db, QStringLiteral("SELECT S.CDOPERADOR, S.DTULTUSO FROM SESSAOOPER S "
                               "JOIN OPERADOR O ON O.CDOPERADOR = S.CDOPERADOR WHERE "
                               "S.HASHSESSAO = :H AND S.DTEXPIRA > :T AND O.IDATIVOOPER = 'S'"));
        c.touch = std::make_unique<TSqlStatement>(
            db, QStringLiteral("UPDATE SESSAOOPER SET DTULTUSO = :T, DTEXPIRA = :E "
                               "WHERE HASHSESSAO = :H"));
    }
    return c;
}

// A failure older than this, with no lock-out running, is forgotten.
constexpr qint64 kFailureMemorySeconds = 24 * 3600;

} // namespace

TSessionStore::TSessionStore(DbUrl url, TSessionOptions options)
    : m_url(std::move(url)), m_options(std::move(options)), m_id(g_nextStoreId++) {}

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
    qint64 lastUse = 0;
    TCheckStatements& statements = CheckStatements(m_id, db);
    {
        TSqlStatement& st = *statements.select;
        st.Exec({{"H", session.key}, {"T", now}});
        const bool found = st.Next();
        if (found) {
            session.operador = st.Value(0).toString();
            lastUse = st.Value(1).toLongLong();
        }
        // Between calls the statement holds no read lock.
        st.Query().finish();
        if (!found)
            return std::nullopt;
    }
    if (now - lastUse >= m_options.touchEvery.count())
        statements.touch->Exec(
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

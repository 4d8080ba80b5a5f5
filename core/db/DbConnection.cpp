#include "core/db/DbConnection.h"

#include "core/db/DbError.h"
#include "core/db/SqlStatement.h"
#include "core/db/SqlText.h"
#include "core/db/SqliteFunctions.h"
#include "core/db/StatementCache.h"

#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QThread>

#include <sqlite3.h>

#include <atomic>
#include <memory>
#include <vector>

namespace {

// Any constant works, as long as every writer takes the same one.
constexpr qint64 kWriteLockKey = 0x4f52453030383030; // "ORE00800"

constexpr int kDefaultLockWaitMs = 10000;

int InitialLockWaitMs() {
    bool ok = false;
    const int ms = qEnvironmentVariableIntValue("ORE_DB_LOCK_WAIT_MS", &ok);
    return ok && ms > 0 ? ms : kDefaultLockWaitMs;
}

std::atomic<int> g_lockWaitMs{InitialLockWaitMs()};

sqlite3* NativeHandle(const QSqlDatabase& db) {
    const QVariant handle = db.driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        throw EDbError(QStringLiteral("O driver SQLite não expõe a conexão nativa."));
    return *static_cast<sqlite3* const*>(handle.constData());
}

// Distinct statements a connection keeps prepared: the methods of the
// application server run a few dozen.
constexpr int kKeptStatements = 64;

QString NewConnectionName() {
    static std::atomic<quint64> serial{0};
    return QStringLiteral("hostfw_db.thread-%1.%2")
        .arg(quintptr(QThread::currentThreadId()), 0, 16)
        .arg(++serial);
}

thread_local std::vector<std::unique_ptr<TDbConnection>> tl_connections;

} // namespace

TDbConnection::TDbConnection(const DbUrl& url)
    : m_url(url), m_name(NewConnectionName()), m_thread(QThread::currentThread()) {
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(
            m_url.dialect == TDialect::SQLite ? QStringLiteral("QSQLITE") : QStringLiteral("QPSQL"),
            m_name);
        if (!db.isValid()) {
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(m_name);
            throw EDbError(QStringLiteral("O driver Qt do %1 não está instalado.")
                               .arg(DialectName(m_url.dialect)));
        }
        if (m_url.dialect == TDialect::SQLite) {
            db.setDatabaseName(m_url.path);
            db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(LockWaitMs()));
        } else {
            db.setHostName(m_url.host);
            db.setPort(m_url.port);
            db.setUserName(m_url.user);
            db.setPassword(m_url.password);
            db.setDatabaseName(m_url.database);
            db.setConnectOptions(QStringLiteral("connect_timeout=10"));
        }
        if (!db.open()) {
            const QString why = db.lastError().text();
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(m_name);
            throw EDbError(QStringLiteral("Não foi possível abrir o banco de dados %1: %2")
                               .arg(m_url.Display(), why));
        }
    }
    try {
        Configure();
    } catch (...) {
        m_statements.reset();
        QSqlDatabase::database(m_name, false).close();
        QSqlDatabase::removeDatabase(m_name);
        throw;
    }
}

void TDbConnection::Configure() {
    if (m_url.dialect == TDialect::SQLite) {
        sqlite3* h = NativeHandle(Database());
        RegisterSqliteFunctions(h);
        m_statements = std::make_unique<TStatementCache>(h, kKeptStatements);
        ExecRaw(QStringLiteral("PRAGMA foreign_keys = ON"));
        // ":memory:" databases answer "memory" and stay so; that is fine.
        ExecRaw(QStringLiteral("PRAGMA journal_mode = WAL"));
        ExecRaw(QStringLiteral("PRAGMA synchronous = NORMAL"));
    } else {
        m_statements = std::make_unique<TStatementCache>(nullptr, kKeptStatements);
        // Backslash is the LIKE escape of ContainsCondition; keep it literal in strings.
        ExecRaw(QStringLiteral("SET standard_conforming_strings = on"));
        ExecRaw(QStringLiteral("SET client_min_messages = warning"));
    }
    ApplyLockWait();
}

void TDbConnection::ApplyLockWait() {
    const int ms = LockWaitMs();
    if (ms == m_lockWaitMs)
        return;
    ExecControl(m_url.dialect == TDialect::SQLite
                    ? QStringLiteral("PRAGMA busy_timeout = %1").arg(ms)
                    : QStringLiteral("SET lock_timeout = %1").arg(ms));
    m_lockWaitMs = ms;
}

TDbConnection::~TDbConnection() {
    m_statements.reset(); // before the connection they were prepared on closes
    {
        QSqlDatabase db = QSqlDatabase::database(m_name, false);
        if (db.isOpen()) {
            if (m_inTransaction)
                QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(m_name);
}

QSqlDatabase TDbConnection::Database() const {
    if (QThread::currentThread() != m_thread)
        throw EDbError(
            QStringLiteral("A conexão %1 pertence a outra thread e não pode ser usada nesta.")
                .arg(m_name));
    return QSqlDatabase::database(m_name, false);
}

void TDbConnection::ExecRaw(const QString& sql) {
    // A schema statement may change what a kept statement returns, which
    // PostgreSQL refuses to run again.
    m_statements->Clear();
    ExecControl(sql);
}

void TDbConnection::ExecControl(const QString& sql) {
    QSqlQuery q(Database());
    if (!q.exec(sql))
        throw EDbError(QStringLiteral("Erro do banco de dados: %1\nComando: %2")
                           .arg(q.lastError().text(), sql.left(200)),
                       q.lastError().nativeErrorCode());
}

void TDbConnection::ExecScript(const QString& script) {
    for (const QString& statement : SplitSqlScript(script))
        ExecRaw(statement);
}

bool TDbConnection::HasTable(const QString& name) {
    const QString sql =
        m_url.dialect == TDialect::SQLite
            ? QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'table' AND "
                             "lower(name) = lower(:NAME)")
            : QStringLiteral(
                  "SELECT 1 FROM information_schema.tables WHERE "
                  "table_schema = current_schema() AND lower(table_name) = lower(:NAME)");
    TSqlStatement st(*this, sql);
    st.Bind(QStringLiteral("NAME"), name).Exec();
    return st.Next();
}

int LockWaitMs() {
    return g_lockWaitMs.load();
}

void SetLockWaitMs(int ms) {
    g_lockWaitMs.store(ms > 0 ? ms : InitialLockWaitMs());
}

TDbConnection& OpenDatabase(const DbUrl& url) {
    for (const auto& c : tl_connections)
        if (c->Url() == url)
            return *c;
    tl_connections.push_back(std::make_unique<TDbConnection>(url));
    return *tl_connections.back();
}

void CloseThreadDatabases() {
    tl_connections.clear();
}

TTransaction::TTransaction(TDbConnection& db, TMode mode) : m_db(db) {
    if (db.m_inTransaction)
        throw EDbError(QStringLiteral("Já há uma transação aberta nesta conexão."));
    db.ApplyLockWait();
    if (db.Dialect() == TDialect::SQLite) {
        db.ExecControl(mode == TMode::Write ? QStringLiteral("BEGIN IMMEDIATE")
                                            : QStringLiteral("BEGIN"));
    } else if (mode == TMode::Write) {
        db.ExecControl(QStringLiteral("BEGIN"));
        try {
            db.ExecControl(QStringLiteral("SELECT pg_advisory_xact_lock(%1)").arg(kWriteLockKey));
        } catch (...) {
            QSqlQuery(db.Database()).exec(QStringLiteral("ROLLBACK"));
            throw;
        }
    } else {
        db.ExecControl(QStringLiteral("BEGIN ISOLATION LEVEL REPEATABLE READ, READ ONLY"));
    }
    db.m_inTransaction = true;
    m_active = true;
}

TTransaction::~TTransaction() {
    if (m_active) {
        try {
            Rollback();
        } catch (...) {
            // The connection is left as the engine left it; nothing more to do here.
        }
    }
}

void TTransaction::Commit() {
    if (!m_active)
        throw EDbError(QStringLiteral("A transação já foi encerrada."));
    m_db.ExecControl(QStringLiteral("COMMIT"));
    m_active = false;
    m_db.m_inTransaction = false;
}

void TTransaction::Rollback() {
    if (!m_active)
        return;
    m_active = false;
    m_db.m_inTransaction = false;
    m_db.ExecControl(QStringLiteral("ROLLBACK"));
}

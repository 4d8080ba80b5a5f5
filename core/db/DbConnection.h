#pragma once

#include "core/db/DbUrl.h"

#include <QSqlDatabase>
#include <QString>

#include <memory>

class QThread;
class TStatementCache;

// How long a statement waits for a lock another transaction holds before the
// engine gives up with a busy or lock-timeout error (SQLite's busy timeout,
// PostgreSQL's lock_timeout), in milliseconds: 10 s, or ORE_DB_LOCK_WAIT_MS
// from the environment. A change applies to each connection at its next
// transaction; zero or less restores the default.
int LockWaitMs();
void SetLockWaitMs(int ms);

// One open connection to the business database, for the thread that opened it.
// Qt's connections must not cross threads, so each thread opens its own; the
// connection is named after its thread. SQLite connections run in WAL mode with
// foreign keys on; both engines wait LockWaitMs() at most for a lock and get
// the ore_fold() function that "contains" searches use (see SqlText.h); SQLite
// ones also get ore_money() (SqliteFunctions.h).
class TDbConnection {
public:
    explicit TDbConnection(const DbUrl& url); // throws EDbError when it cannot open
    explicit TDbConnection(const QString& url) : TDbConnection(DbUrl::Parse(url)) {}
    ~TDbConnection();
    TDbConnection(const TDbConnection&) = delete;
    TDbConnection& operator=(const TDbConnection&) = delete;

    const DbUrl& Url() const { return m_url; }
    TDialect Dialect() const { return m_url.dialect; }
    const QString& Name() const { return m_name; }
    QThread* Thread() const { return m_thread; }
    // The Qt connection; throws EDbError when called from another thread.
    QSqlDatabase Database() const;
    bool InTransaction() const { return m_inTransaction; }
    // The statements kept prepared on this connection (StatementCache.h).
    TStatementCache& Statements() const { return *m_statements; }

    // Runs one statement as written, without parameters (DDL, PRAGMA, SET),
    // dropping the statements kept prepared.
    void ExecRaw(const QString& sql);
    // Runs a script of statements separated by ";" (SplitSqlScript).
    void ExecScript(const QString& script);
    // Whether the database has a table of that name (ignoring case).
    bool HasTable(const QString& name);

private:
    friend class TTransaction;
    void Configure();
    // ExecRaw keeping the prepared statements: transaction control.
    void ExecControl(const QString& sql);
    void ApplyLockWait();

    DbUrl m_url;
    QString m_name;
    QThread* m_thread;
    bool m_inTransaction = false;
    int m_lockWaitMs = -1; // what the engine was last told
    std::unique_ptr<TStatementCache> m_statements;
};

// The calling thread's connection to `url`: opened on first use, kept for the
// thread's life and closed when the thread ends. Threads that serve requests use
// this, so that a connection is never shared between threads.
TDbConnection& OpenDatabase(const DbUrl& url);
// Closes the calling thread's connections that OpenDatabase opened.
void CloseThreadDatabases();

// A transaction that rolls back when it goes out of scope without Commit.
// Write transactions take the database's write lock at the start, so that
// writers queue instead of failing halfway: BEGIN IMMEDIATE on SQLite, and on
// PostgreSQL a transaction-wide advisory lock that every writer takes, in
// every process on that database. The wait is bounded by LockWaitMs(); when it
// runs out the start fails with a transient conflict (IsTransientConflict).
// Read transactions see one snapshot throughout (deferred BEGIN on SQLite,
// REPEATABLE READ READ ONLY on PostgreSQL).
class TTransaction {
public:
    enum class TMode { Write, Read };

    explicit TTransaction(TDbConnection& db, TMode mode = TMode::Write);
    ~TTransaction();
    TTransaction(const TTransaction&) = delete;
    TTransaction& operator=(const TTransaction&) = delete;

    void Commit();
    void Rollback();
    bool Active() const { return m_active; }

private:
    TDbConnection& m_db;
    bool m_active = false;
};

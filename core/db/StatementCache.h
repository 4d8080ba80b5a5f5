#pragma once

#include <QSqlQuery>
#include <QString>

#include <cstdint>
#include <optional>
#include <unordered_map>

struct sqlite3;
struct sqlite3_stmt;

// The statements a connection keeps prepared between uses, so that a
// statement run again (every call of a light method runs the same few) is not
// parsed and planned again each time, nor sent to PostgreSQL to be prepared
// again. Two kinds, kept apart: Qt's prepared queries (TSqlStatement, both
// engines) and SQLite's own statements read directly (SqlitePacket.h; `handle`
// is null on PostgreSQL). A statement is taken out while in use and put back
// after, reset, so that two uses of the same text at once each get their own
// and a kept statement never holds a read snapshot. At most `capacity` of
// each kind are kept; the one unused longest goes first. Both engines plan a
// kept statement again when the tables it reads change; the connection drops
// them all when it runs schema statements itself. Belongs to the
// connection's thread, as the connection does.
class TStatementCache {
public:
    TStatementCache(sqlite3* handle, int capacity);
    ~TStatementCache();
    TStatementCache(const TStatementCache&) = delete;
    TStatementCache& operator=(const TStatementCache&) = delete;

    sqlite3* Handle() const { return m_handle; }

    // A kept statement for `sql`, now the caller's, or null.
    sqlite3_stmt* TakeNative(const QString& sql);
    // Keeps `st` (reset, its values unbound) for the next use of `sql`.
    void PutNative(const QString& sql, sqlite3_stmt* st);

    std::optional<QSqlQuery> TakeQuery(const QString& sql);
    // Keeps `query`, finished, for the next use of `sql`.
    void PutQuery(const QString& sql, QSqlQuery query);

    // Drops every kept statement.
    void Clear();

private:
    template <class T> struct TKept {
        T statement;
        std::uint64_t used;
    };

    sqlite3* m_handle;
    int m_capacity;
    std::uint64_t m_clock = 0;
    std::unordered_multimap<QString, TKept<sqlite3_stmt*>> m_native;
    std::unordered_multimap<QString, TKept<QSqlQuery>> m_queries;
};

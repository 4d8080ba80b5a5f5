#include "core/db/StatementCache.h"

#include <sqlite3.h>

#include <algorithm>

namespace {

// Removes the entry of `kept` unused longest.
template <class Map, class Drop> void DropOldest(Map& kept, Drop drop) {
    const auto oldest =
        std::min_element(kept.begin(), kept.end(), [](const auto& a, const auto& b) {
            return a.second.used < b.second.used;
        });
    drop(oldest->second.statement);
    kept.erase(oldest);
}

} // namespace

TStatementCache::TStatementCache(sqlite3* handle, int capacity)
    : m_handle(handle), m_capacity(std::max(1, capacity)) {}

TStatementCache::~TStatementCache() {
    Clear();
}

sqlite3_stmt* TStatementCache::TakeNative(const QString& sql) {
    const auto it = m_native.find(sql);
    if (it == m_native.end())
        return nullptr;
    sqlite3_stmt* st = it->second.statement;
    m_native.erase(it);
    return st;
}

void TStatementCache::PutNative(const QString& sql, sqlite3_stmt* st) {
    sqlite3_reset(st);
    sqlite3_clear_bindings(st);
    if (int(m_native.size()) >= m_capacity)
        DropOldest(m_native, [](sqlite3_stmt* old) { sqlite3_finalize(old); });
    m_native.emplace(sql, TKept<sqlite3_stmt*>{st, ++m_clock});
}

std::optional<QSqlQuery> TStatementCache::TakeQuery(const QString& sql) {
    const auto it = m_queries.find(sql);
    if (it == m_queries.end())
        return std::nullopt;
    QSqlQuery query = std::move(it->second.statement);
    m_queries.erase(it);
    return query;
}

void TStatementCache::PutQuery(const QString& sql, QSqlQuery query) {
    query.finish();
    if (int(m_queries.size()) >= m_capacity)
        DropOldest(m_queries, [](QSqlQuery&) {});
    m_queries.emplace(sql, TKept<QSqlQuery>{std::move(query), ++m_clock});
}

void TStatementCache::Clear() {
    for (auto& [sql, kept] : m_native)
        sqlite3_finalize(kept.statement);
    m_native.clear();
    m_queries.clear();
}

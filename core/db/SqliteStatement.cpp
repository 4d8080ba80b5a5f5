#include "core/db/SqliteStatement.h"

#include "core/db/DbConnection.h"
#include "core/db/StatementCache.h"

#include <sqlite3.h>

namespace {

// Binds `v` as Qt's SQLite driver binds it; false for a kind left to the driver.
bool BindValue(sqlite3_stmt* st, int i, const QVariant& v) {
    if (!v.isValid() || v.isNull())
        return sqlite3_bind_null(st, i) == SQLITE_OK;
    switch (v.typeId()) {
    case QMetaType::QString: {
        const QString s = v.toString();
        if (s.isNull())
            return sqlite3_bind_null(st, i) == SQLITE_OK;
        return sqlite3_bind_text16(st, i, s.utf16(), int(s.size() * 2), SQLITE_TRANSIENT) ==
               SQLITE_OK;
    }
    case QMetaType::QByteArray: {
        const QByteArray b = v.toByteArray();
        if (b.isNull())
            return sqlite3_bind_null(st, i) == SQLITE_OK;
        return sqlite3_bind_blob(st, i, b.constData(), int(b.size()), SQLITE_TRANSIENT) ==
               SQLITE_OK;
    }
    case QMetaType::Double:
        return sqlite3_bind_double(st, i, v.toDouble()) == SQLITE_OK;
    case QMetaType::Int:
    case QMetaType::Bool:
        return sqlite3_bind_int(st, i, v.toInt()) == SQLITE_OK;
    case QMetaType::UInt:
    case QMetaType::LongLong:
        return sqlite3_bind_int64(st, i, v.toLongLong()) == SQLITE_OK;
    default:
        return false;
    }
}

bool BindAll(sqlite3_stmt* st, const TSqlParams& params) {
    const int count = sqlite3_bind_parameter_count(st);
    std::vector<bool> bound(size_t(count) + 1, false);
    for (const auto& [name, value] : params) {
        // Runs for every parameter of every read: compared in place, nothing
        // copied. Placeholder names are ASCII (SqlPlaceholders).
        const QStringView bare = QStringView(name).mid(name.startsWith(u':') ? 1 : 0);
        int index = 0;
        for (int i = 1; i <= count && index == 0; ++i) {
            const char* n = sqlite3_bind_parameter_name(st, i);
            if (n && n[0] == ':' &&
                bare.compare(QLatin1StringView(n + 1), Qt::CaseInsensitive) == 0)
                index = i;
        }
        if (index == 0 || !BindValue(st, index, value))
            return false;
        bound[size_t(index)] = true;
    }
    for (int i = 1; i <= count; ++i)
        if (!bound[size_t(i)])
            return false;
    return true;
}

} // namespace

TSqliteStatement::TSqliteStatement(TDbConnection& db, const QString& sql, const TSqlParams& params)
    : m_cache(db.Statements()), m_sql(sql) {
    if (!m_cache.Handle())
        return;
    m_st = m_cache.TakeNative(sql);
    if (!m_st) {
        const QByteArray text = sql.toUtf8();
        if (sqlite3_prepare_v2(m_cache.Handle(), text.constData(), int(text.size()), &m_st,
                               nullptr) != SQLITE_OK ||
            !m_st) {
            sqlite3_finalize(m_st);
            m_st = nullptr;
            return;
        }
    }
    if (!BindAll(m_st, params)) {
        m_cache.PutNative(sql, m_st);
        m_st = nullptr;
    }
}

TSqliteStatement::~TSqliteStatement() {
    if (m_st)
        m_cache.PutNative(m_sql, m_st);
}

int TSqliteStatement::Step() {
    return sqlite3_step(m_st);
}

QVariant TSqliteStatement::Value(int c) const {
    switch (sqlite3_column_type(m_st, c)) {
    case SQLITE_INTEGER:
        return qlonglong(sqlite3_column_int64(m_st, c));
    case SQLITE_FLOAT:
        return sqlite3_column_double(m_st, c);
    case SQLITE_BLOB:
        return QByteArray(static_cast<const char*>(sqlite3_column_blob(m_st, c)),
                          sqlite3_column_bytes(m_st, c));
    case SQLITE_NULL:
        return QVariant(QMetaType::fromType<QString>());
    default:
        return QString(reinterpret_cast<const QChar*>(sqlite3_column_text16(m_st, c)),
                       sqlite3_column_bytes16(m_st, c) / qsizetype(sizeof(QChar)));
    }
}

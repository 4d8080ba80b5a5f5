#include "core/db/SqliteRows.h"

#include "core/db/DbConnection.h"
#include "core/db/SqlCells.h"
#include "core/db/StatementCache.h"

#include <sqlite3.h>

#include <string_view>

namespace {

// A statement of the connection's cache for one read, put back after it.
struct TStatement {
    TStatementCache& cache;
    const QString& sql;
    sqlite3_stmt* p = nullptr;
    ~TStatement() {
        if (p)
            cache.PutNative(sql, p);
    }
};

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
        const QString bare = name.startsWith(u':') ? name.mid(1) : name;
        int index = 0;
        for (int i = 1; i <= count && index == 0; ++i) {
            const char* n = sqlite3_bind_parameter_name(st, i);
            if (n && n[0] == ':' &&
                QString::fromUtf8(n + 1).compare(bare, Qt::CaseInsensitive) == 0)
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

// The value Qt's driver makes of a column.
QVariant DriverValue(sqlite3_stmt* st, int c, int type) {
    switch (type) {
    case SQLITE_INTEGER:
        return qlonglong(sqlite3_column_int64(st, c));
    case SQLITE_FLOAT:
        return sqlite3_column_double(st, c);
    case SQLITE_BLOB:
        return QByteArray(static_cast<const char*>(sqlite3_column_blob(st, c)),
                          sqlite3_column_bytes(st, c));
    case SQLITE_NULL:
        return QVariant(QMetaType::fromType<QString>());
    default:
        return QString(reinterpret_cast<const QChar*>(sqlite3_column_text16(st, c)),
                       sqlite3_column_bytes16(st, c) / qsizetype(sizeof(QChar)));
    }
}

void AppendCell(TColumn& column, sqlite3_stmt* st, int c, const TFieldDef& def,
                TCellAppender& cells) {
    const int type = sqlite3_column_type(st, c);
    if (type == SQLITE_NULL) {
        column.AppendNull();
        return;
    }
    switch (def.kind) {
    case TFieldKind::String:
    case TFieldKind::Memo:
        if (type == SQLITE_TEXT) {
            const char* text = reinterpret_cast<const char*>(sqlite3_column_text(st, c));
            const int bytes = sqlite3_column_bytes(st, c);
            // Never fewer UTF-8 bytes than characters: most need no count.
            if (def.kind == TFieldKind::String && bytes > def.size)
                CheckCellLength(QString::fromUtf8(text, bytes), def);
            column.AppendBytes(std::string_view(text, size_t(bytes)));
            return;
        }
        break;
    case TFieldKind::Float:
    case TFieldKind::DateTime:
        if (type == SQLITE_FLOAT || type == SQLITE_INTEGER) {
            column.AppendDouble(type == SQLITE_FLOAT ? sqlite3_column_double(st, c)
                                                     : double(sqlite3_column_int64(st, c)));
            return;
        }
        break;
    case TFieldKind::Integer:
        if (type == SQLITE_INTEGER) {
            column.AppendInt(sqlite3_column_int64(st, c));
            return;
        }
        break;
    default:
        break;
    }
    cells.Append(column, DriverValue(st, c, type), def);
}

} // namespace

std::unique_ptr<TRowStore> SqliteReadRows(TDbConnection& db, const QString& sql,
                                          const TSqlParams& params, const TFieldDefs& data,
                                          const std::function<void()>& before) {
    TStatementCache* cache = db.Statements();
    if (!cache || !cache->Handle())
        return nullptr;
    TStatement st{*cache, sql, cache->TakeNative(sql)};
    if (!st.p) {
        const QByteArray text = sql.toUtf8();
        if (sqlite3_prepare_v2(cache->Handle(), text.constData(), int(text.size()), &st.p,
                               nullptr) != SQLITE_OK ||
            !st.p)
            return nullptr;
    }
    if (!BindAll(st.p, params))
        return nullptr;
    std::vector<int> columns;
    columns.reserve(data.size());
    const int count = sqlite3_column_count(st.p);
    for (const TFieldDef& d : data) {
        int found = -1;
        for (int c = 0; c < count && found < 0; ++c)
            if (QString::fromUtf8(sqlite3_column_name(st.p, c))
                    .compare(d.name, Qt::CaseInsensitive) == 0)
                found = c;
        if (found < 0)
            return nullptr;
        columns.push_back(found);
    }
    before();
    auto store = std::make_unique<TRowStore>(data);
    TCellAppender cells;
    for (;;) {
        const int rc = sqlite3_step(st.p);
        if (rc == SQLITE_DONE)
            return store;
        if (rc != SQLITE_ROW)
            return nullptr;
        for (size_t i = 0; i < data.size(); ++i)
            AppendCell(store->Column(int(i)), st.p, columns[i], data[i], cells);
        store->CommitRow(TUpdateStatus::Unmodified);
    }
}

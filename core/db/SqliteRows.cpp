#include "core/db/SqliteRows.h"

#include "core/db/SqlCells.h"
#include "core/db/SqliteStatement.h"

#include <sqlite3.h>

#include <string_view>

namespace {

void AppendCell(TColumn& column, const TSqliteStatement& statement, int c, const TFieldDef& def,
                TCellAppender& cells) {
    sqlite3_stmt* st = statement.Handle();
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
    cells.Append(column, statement.Value(c), def);
}

} // namespace

std::unique_ptr<TRowStore> SqliteReadRows(TDbConnection& db, const QString& sql,
                                          const TSqlParams& params, const TFieldDefs& data,
                                          const std::function<void()>& before) {
    TSqliteStatement st(db, sql, params);
    if (!st)
        return nullptr;
    std::vector<int> columns;
    columns.reserve(data.size());
    const int count = sqlite3_column_count(st.Handle());
    for (const TFieldDef& d : data) {
        int found = -1;
        for (int c = 0; c < count && found < 0; ++c)
            if (QString::fromUtf8(sqlite3_column_name(st.Handle(), c))
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
        const int rc = st.Step();
        if (rc == SQLITE_DONE)
            return store;
        if (rc != SQLITE_ROW)
            return nullptr;
        for (size_t i = 0; i < data.size(); ++i)
            AppendCell(store->Column(int(i)), st, columns[i], data[i], cells);
        store->CommitRow(TUpdateStatus::Unmodified);
    }
}

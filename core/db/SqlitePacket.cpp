#include "core/db/SqlitePacket.h"

#include "core/data/PacketCodec.h"
#include "core/db/SqlCells.h"
#include "core/db/SqliteStatement.h"

#include <sqlite3.h>

#include <string_view>

namespace {

void WriteCell(TPacketWriter& out, const TSqliteStatement& statement, int c, const TFieldDef& def,
               TCellAppender& cells) {
    sqlite3_stmt* st = statement.Handle();
    const int type = sqlite3_column_type(st, c);
    if (type == SQLITE_NULL) {
        out.Null();
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
            out.Text(std::string_view(text, size_t(bytes)));
            return;
        }
        break;
    case TFieldKind::Float:
    case TFieldKind::DateTime:
        if (type == SQLITE_FLOAT || type == SQLITE_INTEGER) {
            out.Double(type == SQLITE_FLOAT ? sqlite3_column_double(st, c)
                                            : double(sqlite3_column_int64(st, c)));
            return;
        }
        break;
    case TFieldKind::Integer:
        if (type == SQLITE_INTEGER) {
            out.Int(sqlite3_column_int64(st, c));
            return;
        }
        break;
    default:
        break;
    }
    cells.Write(out, statement.Value(c), def);
}

} // namespace

std::optional<TDataPacket> SqlitePacket(TDbConnection& db, const QString& sql,
                                        const TSqlParams& params, const TFieldDefs& data,
                                        const std::function<void()>& before) {
    TSqliteStatement st(db, sql, params);
    if (!st)
        return std::nullopt;
    std::vector<int> columns;
    columns.reserve(data.size());
    const int count = sqlite3_column_count(st.Handle());
    for (const TFieldDef& d : data) {
        int found = -1;
        // Compared in place, as parameters are bound: a name that is not
        // plain ASCII finds no column and the statement goes through Qt.
        for (int c = 0; c < count && found < 0; ++c)
            if (d.name.compare(QLatin1StringView(sqlite3_column_name(st.Handle(), c)),
                               Qt::CaseInsensitive) == 0)
                found = c;
        if (found < 0)
            return std::nullopt;
        columns.push_back(found);
    }
    before();
    TPacketWriter out(data);
    TCellAppender cells;
    for (;;) {
        const int rc = st.Step();
        if (rc == SQLITE_DONE)
            return out.Finish();
        if (rc != SQLITE_ROW)
            return std::nullopt;
        out.BeginRow();
        for (size_t i = 0; i < data.size(); ++i)
            WriteCell(out, st, columns[i], data[i], cells);
    }
}

#pragma once

#include "core/db/SqlCells.h"
#include "core/db/SqliteStatement.h"

#include <sqlite3.h>

#include <string_view>

// One column of the current row of `statement` as the field `def` takes it:
// a value the engine holds as the field wants it goes to `sink` as it is
// (texts as their UTF-8 bytes, checked against the field's size); any other
// goes as the QVariant Qt's driver would make, for the sink to convert. The
// sink has Null(), Text(std::string_view), Double(double), Int(qint64) and
// Value(const QVariant&).
template <class TSink>
void ReadSqliteCell(const TSqliteStatement& statement, int c, const TFieldDef& def, TSink& sink) {
    sqlite3_stmt* st = statement.Handle();
    const int type = sqlite3_column_type(st, c);
    if (type == SQLITE_NULL) {
        sink.Null();
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
            sink.Text(std::string_view(text, size_t(bytes)));
            return;
        }
        break;
    case TFieldKind::Float:
    case TFieldKind::DateTime:
        if (type == SQLITE_FLOAT || type == SQLITE_INTEGER) {
            sink.Double(type == SQLITE_FLOAT ? sqlite3_column_double(st, c)
                                             : double(sqlite3_column_int64(st, c)));
            return;
        }
        break;
    case TFieldKind::Integer:
        if (type == SQLITE_INTEGER) {
            sink.Int(sqlite3_column_int64(st, c));
            return;
        }
        break;
    default:
        break;
    }
    sink.Value(statement.Value(c));
}

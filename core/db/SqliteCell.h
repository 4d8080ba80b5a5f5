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
    // The column's value is fetched once and read through the value API:
    // each sqlite3_column_* call takes and checks the statement anew, and a
    // text cell needed three of them. The value is the statement's own,
    // valid until the next step, and this connection is used by one thread.
    sqlite3_value* value = sqlite3_column_value(statement.Handle(), c);
    const int type = sqlite3_value_type(value);
    if (type == SQLITE_NULL) {
        sink.Null();
        return;
    }
    switch (def.kind) {
    case TFieldKind::String:
    case TFieldKind::Memo:
        if (type == SQLITE_TEXT) {
            const char* text = reinterpret_cast<const char*>(sqlite3_value_text(value));
            const int bytes = sqlite3_value_bytes(value);
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
            sink.Double(type == SQLITE_FLOAT ? sqlite3_value_double(value)
                                             : double(sqlite3_value_int64(value)));
            return;
        }
        break;
    case TFieldKind::Integer:
        if (type == SQLITE_INTEGER) {
            sink.Int(sqlite3_value_int64(value));
            return;
        }
        break;
    default:
        break;
    }
    sink.Value(statement.Value(c));
}

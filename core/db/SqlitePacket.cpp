#include "core/db/SqlitePacket.h"

#include "core/data/PacketCodec.h"
#include "core/db/CatalogCells.h"
#include "core/db/SqliteCell.h"

#include <memory>

namespace {

// Cells read from the statement go straight into the packet.
struct TPacketSink {
    TPacketWriter& out;
    TCellAppender& cells;
    const TFieldDef& def;
    void Null() { out.Null(); }
    void Text(std::string_view t) { out.Text(t); }
    void Double(double v) { out.Double(v); }
    void Int(qint64 v) { out.Int(v); }
    void Value(const QVariant& v) { cells.Write(out, v, def); }
};

int ColumnNamed(sqlite3_stmt* st, const QString& name) {
    // Compared in place, as parameters are bound: a name that is not plain
    // ASCII finds no column and the statement goes through Qt.
    const int count = sqlite3_column_count(st);
    for (int c = 0; c < count; ++c)
        if (name.compare(QLatin1StringView(sqlite3_column_name(st, c)), Qt::CaseInsensitive) == 0)
            return c;
    return -1;
}

// Where a field's value comes from: a column of the statement (catalogue -1)
// or column `column` of a catalogue's row.
struct TSource {
    int catalogue;
    int column;
};

// A catalogue of the statement, with the columns that hold its code.
struct TLookup {
    std::vector<int> codeColumns;
    std::unique_ptr<TCatalogCells> cells;
    bool inner;
};

// The parts of the current row's code in `columns`: none when a part is null,
// which matches no row. False for a part that is not text, which only the
// engine can compare as its join would.
bool RowCode(sqlite3_stmt* st, const std::vector<int>& columns,
             std::vector<std::string_view>& parts) {
    parts.clear();
    for (const int c : columns) {
        sqlite3_value* value = sqlite3_column_value(st, c); // as ReadSqliteCell reads it
        const int type = sqlite3_value_type(value);
        if (type == SQLITE_NULL) {
            parts.clear();
            return true;
        }
        if (type != SQLITE_TEXT)
            return false;
        parts.emplace_back(reinterpret_cast<const char*>(sqlite3_value_text(value)),
                           size_t(sqlite3_value_bytes(value)));
    }
    return true;
}

} // namespace

std::optional<TDataPacket> SqlitePacket(TDbConnection& db, const TCatalogSelect& select,
                                        const TSqlParams& params, const TFieldDefs& data,
                                        const std::function<void()>& before) {
    const std::vector<TCatalogJoin>& joins = select.joins;
    TSqliteStatement st(db, select.bare, params);
    if (!st)
        return std::nullopt;
    std::vector<TSource> sources;
    sources.reserve(data.size());
    std::vector<std::vector<const TFieldDef*>> catalogueDefs(joins.size());
    for (size_t j = 0; j < joins.size(); ++j)
        catalogueDefs[j].resize(size_t(joins[j].columns.size()), nullptr);
    for (const TFieldDef& d : data) {
        TSource source{-1, ColumnNamed(st.Handle(), d.name)};
        for (size_t j = 0; j < joins.size() && source.column < 0; ++j)
            for (qsizetype k = 0; k < joins[j].columns.size() && source.column < 0; ++k)
                if (d.name.compare(CatalogColumnName(joins[j].columns[k]), Qt::CaseInsensitive) ==
                    0) {
                    source = {int(j), int(k)};
                    catalogueDefs[j][size_t(k)] = &d;
                }
        if (source.column < 0)
            return std::nullopt;
        sources.push_back(source);
    }
    std::vector<TLookup> lookups(joins.size());
    for (size_t j = 0; j < joins.size(); ++j) {
        for (qsizetype k = 0; k < joins[j].key.size(); ++k) {
            lookups[j].codeColumns.push_back(ColumnNamed(st.Handle(), BareCodeColumn(j, k)));
            if (lookups[j].codeColumns.back() < 0)
                return std::nullopt;
        }
        lookups[j].cells =
            std::make_unique<TCatalogCells>(db, joins[j], std::move(catalogueDefs[j]));
        lookups[j].inner = joins[j].inner;
    }
    before();
    TPacketWriter out(data);
    TCellAppender cells;
    std::vector<std::string_view> code;
    for (;;) {
        const int rc = st.Step();
        if (rc == SQLITE_DONE)
            return out.Finish();
        if (rc != SQLITE_ROW)
            return std::nullopt;
        bool joined = true;
        for (TLookup& lookup : lookups) {
            if (!RowCode(st.Handle(), lookup.codeColumns, code))
                return std::nullopt;
            const auto found = lookup.cells->Find(code);
            if (found == TCatalogCells::TFound::Failed)
                return std::nullopt;
            joined = found == TCatalogCells::TFound::Row || !lookup.inner;
            if (!joined)
                break;
        }
        if (!joined)
            continue;
        out.BeginRow();
        for (size_t i = 0; i < data.size(); ++i) {
            const TSource s = sources[i];
            if (s.catalogue < 0) {
                TPacketSink sink{out, cells, data[i]};
                ReadSqliteCell(st, s.column, data[i], sink);
            } else {
                lookups[size_t(s.catalogue)].cells->Write(out, size_t(s.column), cells);
            }
        }
    }
}

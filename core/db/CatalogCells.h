#pragma once

#include "core/data/FieldDef.h"
#include "core/db/CatalogSelect.h"

#include <QVariant>

#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class TCellAppender;
class TDbConnection;
class TPacketWriter;

// The rows of one catalogue of a TCatalogSelect, looked up on SQLite by the
// codes a statement's rows bring, each code read once and its cells kept as
// the packet takes them. For the connection's thread, while the statement
// runs (in its transaction).
class TCatalogCells {
public:
    // `defs[k]` is the field that takes the join's column k, or null when no
    // field does.
    TCatalogCells(TDbConnection& db, const TCatalogJoin& join, std::vector<const TFieldDef*> defs);

    enum class TFound { Row, None, Failed };
    // Finds the row of the code whose parts are `codes` (none: the code is
    // null). None when the catalogue has none; Failed when it cannot tell as
    // the engine's join would (the lookup does not run, or finds more than
    // one row), and the statement must then be read with the join.
    TFound Find(std::span<const std::string_view> codes);
    // Writes column `k` of the row Find found last (null when it found none).
    void Write(TPacketWriter& out, size_t k, TCellAppender& cells) const;

private:
    // A cell as ReadSqliteCell gives it.
    struct TCell {
        enum class TKind : quint8 { Null, Text, Double, Int, Value } kind = TKind::Null;
        std::string text;
        double real = 0;
        qint64 integer = 0;
        QVariant value;
        void Null() { kind = TKind::Null; }
        void Text(std::string_view t) { kind = TKind::Text, text = t; }
        void Double(double v) { kind = TKind::Double, real = v; }
        void Int(qint64 v) { kind = TKind::Int, integer = v; }
        void Value(const QVariant& v) { kind = TKind::Value, value = v; }
    };
    using TRow = std::vector<TCell>; // empty: the code has no row
    TFound Read(std::span<const std::string_view> codes, TRow& row);

    TDbConnection& m_db;
    std::vector<const TFieldDef*> m_defs;
    QString m_sql;
    // Found by the code's bytes in place, with no string made for it.
    struct THash {
        using is_transparent = void;
        size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
    };
    std::unordered_map<std::string, TRow, THash, std::equal_to<>> m_rows;
    const TRow* m_last = nullptr; // null after a null code
    std::string_view m_lastKey;   // a key of m_rows
    std::string m_key;            // the key of a code of several parts
};

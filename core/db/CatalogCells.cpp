#include "core/db/CatalogCells.h"

#include "core/data/PacketCodec.h"
#include "core/db/SqliteCell.h"

TCatalogCells::TCatalogCells(TDbConnection& db, const TCatalogJoin& join,
                             std::vector<const TFieldDef*> defs)
    : m_db(db), m_defs(std::move(defs)),
      m_sql(QStringLiteral("SELECT %1 FROM %2 WHERE %3 = :CODIGO")
                .arg(join.columns.join(QStringLiteral(", ")), join.table, join.key)) {}

TCatalogCells::TFound TCatalogCells::Find(const std::string_view* code) {
    if (!code) {
        m_last = nullptr;
        return TFound::None;
    }
    // Rows of one budget often repeat the code of the row before.
    if (!m_last || *code != m_lastCode) {
        auto it = m_rows.find(*code);
        if (it == m_rows.end()) {
            // A code's first time reads the catalogue.
            std::string key(*code);
            TRow row;
            if (Read(key, row) == TFound::Failed)
                return TFound::Failed;
            it = m_rows.emplace(std::move(key), std::move(row)).first;
        }
        m_last = &it->second;
        m_lastCode = it->first;
    }
    return m_last->empty() ? TFound::None : TFound::Row;
}

TCatalogCells::TFound TCatalogCells::Read(const std::string& code, TRow& row) {
    TSqliteStatement st(m_db, m_sql, {{QStringLiteral("CODIGO"), QString::fromStdString(code)}});
    if (!st)
        return TFound::Failed;
    int rc = st.Step();
    if (rc == SQLITE_DONE)
        return TFound::None;
    if (rc != SQLITE_ROW)
        return TFound::Failed;
    row.resize(m_defs.size());
    for (size_t k = 0; k < m_defs.size(); ++k)
        if (m_defs[k])
            ReadSqliteCell(st, int(k), *m_defs[k], row[k]);
    // A second row would have doubled the statement's row under a join.
    rc = st.Step();
    return rc == SQLITE_DONE ? TFound::Row : TFound::Failed;
}

void TCatalogCells::Write(TPacketWriter& out, size_t k, TCellAppender& cells) const {
    if (!m_last || m_last->empty()) {
        out.Null();
        return;
    }
    const TCell& c = (*m_last)[k];
    switch (c.kind) {
    case TCell::TKind::Null:
        out.Null();
        break;
    case TCell::TKind::Text:
        out.Text(c.text);
        break;
    case TCell::TKind::Double:
        out.Double(c.real);
        break;
    case TCell::TKind::Int:
        out.Int(c.integer);
        break;
    case TCell::TKind::Value:
        cells.Write(out, c.value, *m_defs[k]);
        break;
    }
}

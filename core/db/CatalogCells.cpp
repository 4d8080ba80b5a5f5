#include "core/db/CatalogCells.h"

#include "core/data/PacketCodec.h"
#include "core/db/SqliteCell.h"

namespace {

QString LookupSql(const TCatalogJoin& join) {
    QStringList where;
    for (qsizetype k = 0; k < join.key.size(); ++k)
        where << QStringLiteral("%1 = :CODIGO%2").arg(join.key[k]).arg(k + 1);
    return QStringLiteral("SELECT %1 FROM %2 WHERE %3")
        .arg(join.columns.join(QStringLiteral(", ")), join.table,
             where.join(QStringLiteral(" AND ")));
}

} // namespace

TCatalogCells::TCatalogCells(TDbConnection& db, const TCatalogJoin& join,
                             std::vector<const TFieldDef*> defs)
    : m_db(db), m_defs(std::move(defs)), m_sql(LookupSql(join)) {}

TCatalogCells::TFound TCatalogCells::Find(std::span<const std::string_view> codes) {
    if (codes.empty()) {
        m_last = nullptr;
        return TFound::None;
    }
    // A code of one part is its own key; parts are kept apart by their sizes.
    std::string_view key = codes[0];
    if (codes.size() > 1) {
        m_key.clear();
        for (const std::string_view part : codes)
            m_key.append(std::to_string(part.size())).append(1, ':').append(part);
        key = m_key;
    }
    // Rows of one budget often repeat the code of the row before.
    if (!m_last || key != m_lastKey) {
        auto it = m_rows.find(key);
        if (it == m_rows.end()) {
            // A code's first time reads the catalogue.
            TRow row;
            if (Read(codes, row) == TFound::Failed)
                return TFound::Failed;
            it = m_rows.emplace(std::string(key), std::move(row)).first;
        }
        m_last = &it->second;
        m_lastKey = it->first;
    }
    return m_last->empty() ? TFound::None : TFound::Row;
}

TCatalogCells::TFound TCatalogCells::Read(std::span<const std::string_view> codes, TRow& row) {
    TSqlParams params;
    for (size_t k = 0; k < codes.size(); ++k)
        params.emplace_back(QStringLiteral("CODIGO%1").arg(k + 1),
                            QString::fromUtf8(codes[k].data(), qsizetype(codes[k].size())));
    TSqliteStatement st(m_db, m_sql, params);
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

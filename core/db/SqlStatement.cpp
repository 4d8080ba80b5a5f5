#include "core/db/SqlStatement.h"

#include "core/data/PacketCodec.h"
#include "core/data/RecordSet.h"
#include "core/db/CatalogSelect.h"
#include "core/db/DbConnection.h"
#include "core/db/DbError.h"
#include "core/db/SqlCells.h"
#include "core/db/SqlitePacket.h"
#include "core/db/SqliteStatement.h"
#include "core/db/StatementCache.h"

#include <QSqlError>
#include <QSqlRecord>

#include <sqlite3.h>

#include <string>
#include <string_view>

namespace {

thread_local TStatementWatch* t_watch = nullptr;

bool IsNameChar(QChar ch) {
    const char16_t u = ch.unicode();
    return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || u == '_';
}

QString Excerpt(const QString& sql) {
    QString s = sql.simplified();
    return s.size() > 200 ? s.left(200) + QStringLiteral("…") : s;
}

[[noreturn]] void Fail(const QString& what, const QString& sql, const QString& nativeCode = {}) {
    throw EDbError(QStringLiteral("%1\nComando: %2").arg(what, Excerpt(sql)), nativeCode);
}

} // namespace

QStringList SqlPlaceholders(const QString& sql) {
    // Mirrors Qt's own scan, so that the names checked here are the names Qt binds.
    QStringList names;
    QChar closing;
    const qsizetype n = sql.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar ch = sql.at(i);
        if (!closing.isNull()) {
            if (ch == closing)
                closing = QChar();
            continue;
        }
        if (ch == u':' && (i == 0 || sql.at(i - 1) != u':') && i + 1 < n &&
            IsNameChar(sql.at(i + 1))) {
            qsizetype end = i + 1;
            while (end < n && IsNameChar(sql.at(end)))
                ++end;
            const QString name = sql.mid(i + 1, end - i - 1);
            if (!names.contains(name, Qt::CaseInsensitive))
                names.append(name);
            i = end - 1;
        } else if (ch == u'\'' || ch == u'"' || ch == u'`') {
            closing = ch;
        }
    }
    return names;
}

TSqlStatement::TSqlStatement(TDbConnection& db, const QString& sql)
    : TSqlStatement(db, sql, db.Statements().TakeQuery(sql)) {}

TSqlStatement::TSqlStatement(TDbConnection& db, const QString& sql, std::optional<QSqlQuery> kept)
    : m_db(db), m_sql(sql), m_query(kept ? std::move(*kept) : QSqlQuery(db.Database())),
      m_names(SqlPlaceholders(sql)), m_bound(size_t(m_names.size()), false) {
    if (kept)
        return;
    m_query.setForwardOnly(true);
    if (!m_query.prepare(sql))
        Fail(QStringLiteral("Erro do banco de dados ao preparar o comando: %1")
                 .arg(m_query.lastError().text()),
             sql, m_query.lastError().nativeErrorCode());
}

TSqlStatement::~TSqlStatement() {
    m_db.Statements().PutQuery(m_sql, std::move(m_query));
}

int TSqlStatement::PlaceholderIndex(const QString& name) const {
    const QString bare = name.startsWith(u':') ? name.mid(1) : name;
    for (int i = 0; i < m_names.size(); ++i)
        if (m_names[i].compare(bare, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

TSqlStatement& TSqlStatement::Bind(const QString& name, const QVariant& value) {
    const int i = PlaceholderIndex(name);
    if (i < 0)
        Fail(QStringLiteral("O comando não tem o parâmetro :%1.").arg(name), m_sql);
    return BindAt(i, value);
}

TSqlStatement& TSqlStatement::BindAt(int index, const QVariant& value) {
    if (index < 0 || index >= m_names.size())
        Fail(QStringLiteral("O comando não tem o parâmetro de número %1.").arg(index), m_sql);
    m_query.bindValue(u':' + m_names[index], value);
    m_bound[size_t(index)] = true;
    return *this;
}

TSqlStatement& TSqlStatement::Bind(const TSqlParams& params) {
    for (const auto& [name, value] : params)
        Bind(name, value);
    return *this;
}

void TSqlStatement::Exec() {
    for (size_t i = 0; i < m_bound.size(); ++i)
        if (!m_bound[i])
            Fail(QStringLiteral("O parâmetro :%1 não recebeu valor.").arg(m_names[qsizetype(i)]),
                 m_sql);
    if (t_watch)
        t_watch->m_before(m_sql);
    if (!m_query.exec())
        Fail(QStringLiteral("Erro do banco de dados: %1").arg(m_query.lastError().text()), m_sql,
             m_query.lastError().nativeErrorCode());
}

bool TSqlStatement::Next() {
    return m_query.isActive() && m_query.isSelect() && m_query.next();
}

int TSqlStatement::ColumnIndex(const QString& column) const {
    const QSqlRecord rec = m_query.record();
    for (int i = 0; i < rec.count(); ++i)
        if (rec.fieldName(i).compare(column, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QVariant TSqlStatement::Value(const QString& column) const {
    const int i = ColumnIndex(column);
    if (i < 0)
        Fail(QStringLiteral("O resultado não tem a coluna %1.").arg(column), m_sql);
    return m_query.value(i);
}

std::vector<int> TSqlStatement::Columns(const TFieldDefs& data) const {
    std::vector<int> columns;
    columns.reserve(data.size());
    for (const TFieldDef& d : data) {
        const int c = ColumnIndex(d.name);
        if (c < 0)
            Fail(QStringLiteral("O resultado não tem a coluna %1.").arg(d.name), m_sql);
        columns.push_back(c);
    }
    return columns;
}

std::unique_ptr<TRowStore> TSqlStatement::ReadRows(const TFieldDefs& defs) {
    const TFieldDefs data = DataFieldDefs(defs);
    const std::vector<int> columns = Columns(data);
    auto store = std::make_unique<TRowStore>(data);
    TCellAppender cells;
    while (Next()) {
        for (size_t i = 0; i < data.size(); ++i)
            cells.Append(store->Column(int(i)), m_query.value(columns[i]), data[i]);
        store->CommitRow(TUpdateStatus::Unmodified);
    }
    // Done with the rows: let the engine release what the statement holds.
    m_query.finish();
    return store;
}

TDataPacket TSqlStatement::ReadPacket(const TFieldDefs& defs) {
    const TFieldDefs data = DataFieldDefs(defs);
    const std::vector<int> columns = Columns(data);
    TPacketWriter out(data);
    TCellAppender cells;
    while (Next()) {
        out.BeginRow();
        for (size_t i = 0; i < data.size(); ++i)
            cells.Write(out, m_query.value(columns[i]), data[i]);
    }
    m_query.finish();
    return out.Finish();
}

void TSqlStatement::ReadInto(TRecordSet& rs) {
    const TFieldDefs defs = rs.FieldDefs();
    if (defs.empty())
        throw EDbError(
            QStringLiteral("O conjunto de registros %1 não declara campos para ler o resultado.")
                .arg(rs.objectName()));
    rs.SetData(ReadPacket(defs));
}

TStatementWatch::TStatementWatch(std::function<void(const QString&)> before)
    : m_before(std::move(before)), m_outer(t_watch) {
    t_watch = this;
}

TStatementWatch::~TStatementWatch() {
    t_watch = m_outer;
}

void ExecSql(TDbConnection& db, const QString& sql, const TSqlParams& params) {
    TSqlStatement st(db, sql);
    st.Exec(params);
}

TDataPacket SelectPacket(TDbConnection& db, const QString& sql, const TSqlParams& params,
                         const TFieldDefs& defs) {
    return SelectPacket(db, PlainSelect(sql), params, defs);
}

TDataPacket SelectPacket(TDbConnection& db, const TCatalogSelect& select, const TSqlParams& params,
                         const TFieldDefs& defs) {
    if (db.Dialect() == TDialect::SQLite) {
        auto packet = SqlitePacket(db, select, params, DataFieldDefs(defs), [&select] {
            if (t_watch)
                t_watch->m_before(select.sql);
        });
        if (packet)
            return std::move(*packet);
    }
    TSqlStatement st(db, select.sql);
    st.Exec(params);
    return st.ReadPacket(defs);
}

std::optional<QVariantList> SelectRow(TDbConnection& db, const QString& sql,
                                      const TSqlParams& params) {
    if (db.Dialect() == TDialect::SQLite) {
        TSqliteStatement st(db, sql, params);
        if (st) {
            if (t_watch)
                t_watch->m_before(sql);
            const int rc = st.Step();
            if (rc == SQLITE_DONE)
                return std::nullopt;
            if (rc == SQLITE_ROW) {
                QVariantList row;
                const int columns = sqlite3_column_count(st.Handle());
                for (int c = 0; c < columns; ++c)
                    row << st.Value(c);
                return row;
            }
            // A failed step is reported below, as through Qt.
        }
    }
    TSqlStatement st(db, sql);
    st.Exec(params);
    if (!st.Next())
        return std::nullopt;
    QVariantList row;
    const int columns = st.Query().record().count();
    for (int c = 0; c < columns; ++c)
        row << st.Value(c);
    return row;
}

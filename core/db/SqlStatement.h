#pragma once

#include "core/data/DataPacket.h"
#include "core/data/FieldDef.h"
#include "core/data/RowStore.h"

#include <QSqlQuery>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

class TDbConnection;
class TRecordSet;
struct TCatalogSelect;

// Parameter values by name (without the colon).
using TSqlParams = std::vector<std::pair<QString, QVariant>>;

// A statement with :NAME placeholders, prepared once and run as often as
// needed, and kept prepared on its connection for the next statement of the
// same text (StatementCache.h). Values only ever travel as bound parameters:
// every placeholder must be bound before it runs, and binding a name the
// statement lacks is an error, so a typo cannot silently leave a condition
// unbound.
class TSqlStatement {
public:
    TSqlStatement(TDbConnection& db,
                  const QString& sql); // throws EDbError when it does not prepare
    ~TSqlStatement();
    TSqlStatement(const TSqlStatement&) = delete;
    TSqlStatement& operator=(const TSqlStatement&) = delete;

    const QString& Sql() const { return m_sql; }
    // The distinct placeholder names, in order of first appearance, without colons.
    const QStringList& Placeholders() const { return m_names; }

    // Names match ignoring case, with or without the leading colon. A null
    // QVariant binds SQL NULL.
    TSqlStatement& Bind(const QString& name, const QVariant& value);
    TSqlStatement& Bind(const TSqlParams& params);
    // Binds the placeholder at `index` in Placeholders(): for loops that bind
    // the same names many times.
    TSqlStatement& BindAt(int index, const QVariant& value);
    void Exec();
    void Exec(const TSqlParams& params) {
        Bind(params);
        Exec();
    }

    // Rows of the last Exec.
    bool Next();
    QVariant Value(int column) const { return m_query.value(column); }
    QVariant Value(const QString& column) const;  // ignoring case; EDbError when absent
    int ColumnIndex(const QString& column) const; // ignoring case; -1 when absent
    int RowsAffected() const { return m_query.numRowsAffected(); }
    QSqlQuery& Query() { return m_query; }

    // Reads the rows not yet read into the data fields of `defs`, matching
    // result columns by name ignoring case (PostgreSQL reports them in lower
    // case). A missing column, a text longer than its field or a value of the
    // wrong kind is an EDbError.
    std::unique_ptr<TRowStore> ReadRows(const TFieldDefs& defs);
    // The same rows written straight into a packet, with no store between.
    TDataPacket ReadPacket(const TFieldDefs& defs);
    // Loads the rows into `rs`, whose declared fields give the layout.
    void ReadInto(TRecordSet& rs);

private:
    TSqlStatement(TDbConnection& db, const QString& sql, std::optional<QSqlQuery> kept);
    int PlaceholderIndex(const QString& name) const;
    // The result column of each of `data`'s fields; EDbError when one is missing.
    std::vector<int> Columns(const TFieldDefs& data) const;

    TDbConnection& m_db;
    QString m_sql;
    QSqlQuery m_query;
    QStringList m_names;
    std::vector<bool> m_bound;
};

// While alive, runs `before` ahead of every statement that the constructing
// thread executes through TSqlStatement (the innermost watch only). Fault
// injection uses it to stop a process at a chosen write; without a watch the
// cost is one thread-local read per statement.
class TStatementWatch {
public:
    explicit TStatementWatch(std::function<void(const QString& sql)> before);
    ~TStatementWatch();
    TStatementWatch(const TStatementWatch&) = delete;
    TStatementWatch& operator=(const TStatementWatch&) = delete;

private:
    std::function<void(const QString&)> m_before;
    TStatementWatch* m_outer;
    friend class TSqlStatement;
    friend TDataPacket SelectPacket(TDbConnection&, const TCatalogSelect&, const TSqlParams&,
                                    const TFieldDefs&);
    friend std::optional<QVariantList> SelectRow(TDbConnection&, const QString&, const TSqlParams&);
};

// One-shot forms. SelectPacket reads a SQLite result straight from the
// engine (SqlitePacket.h), the same packet that TSqlStatement would read.
TDataPacket SelectPacket(TDbConnection& db, const QString& sql, const TSqlParams& params,
                         const TFieldDefs& defs);
// The same for a statement with its catalogues (CatalogSelect.h): SQLite's
// packet is read from its bare form, looking the catalogues up; any other
// engine's, or SQLite's when that cannot be done, from its joins.
TDataPacket SelectPacket(TDbConnection& db, const TCatalogSelect& select, const TSqlParams& params,
                         const TFieldDefs& defs);
// The first row of a SELECT, each value as TSqlStatement::Value gives it, or
// nothing when it returns none; SQLite's is read straight from the engine.
std::optional<QVariantList> SelectRow(TDbConnection& db, const QString& sql,
                                      const TSqlParams& params);
void ExecSql(TDbConnection& db, const QString& sql, const TSqlParams& params = {});

// The :NAME placeholders of `sql`, as Qt's SQL layer finds them: outside quotes,
// not after another colon ("::" casts), names of letters, digits and "_".
QStringList SqlPlaceholders(const QString& sql);

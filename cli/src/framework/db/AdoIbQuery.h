#pragma once

#include "core/data/RecordSet.h"
#include "framework/db/QueryParams.h"

#include <QStringList>

class TDbConnection;

// A read-only query on the business database, opened into a record set.
//
// It holds one statement per family of database: `SQL` is the generic one,
// `SQL_ORACLE`, `SQL_MSSQL` and `SQL_IB` the dialect-specific ones. The
// engines we run on take ANSI joins, so they read the first of `SQL_IB`,
// `SQL_MSSQL` and `SQL` that has text (see ActiveSql). `:NAME` parameters are
// bound by name from Params(), never spliced into the text.
//
// The declared fields give the layout of the rows; columns are matched by
// name ignoring case. Opening an open query does nothing: Close first to read
// the rows again.
class TADOIBQuery : public TRecordSet {
public:
    explicit TADOIBQuery(const TFieldDefs& defs = {}, QObject* parent = nullptr);
    ~TADOIBQuery() override;

    QStringList SQL;
    // Kept, though no engine we run on reads it: one statement per dialect.
    QStringList SQL_ORACLE;
    QStringList SQL_MSSQL;
    QStringList SQL_IB;

    // The connection to read from; the session's shared one when null.
    TDbConnection* Connection() const { return m_connection; }
    void SetConnection(TDbConnection* db) { m_connection = db; }

    // The lines of the statement that Open runs on the current connection.
    QStringList ActiveSql() const;

    // The parameters of the active statement, found afresh when its text changed.
    TQueryParams& Params();
    TQueryParam& ParamByName(const QString& name) { return Params().ParamByName(name); }

    // Runs BeforeOpen, then the statement, and shows its rows. Throws EDbError
    // when there is no connection, a parameter has no value, or the engine
    // refuses the statement; the query then stays closed.
    void Open();

    // Rows come only from the database.
    bool CanModify() const override { return false; }
    void Edit() override;
    void Insert() override;
    void Append() override;
    void Delete() override;

    // Runs before every opening: the place to fill parameters.
    Event BeforeOpen;

private:
    [[noreturn]] void RefuseChange() const;
    TDbConnection& Database() const;

    TDbConnection* m_connection = nullptr;
    TQueryParams m_params;
    QString m_paramsFor; // statement text m_params was found in
    bool m_paramsKnown = false;
};

#include "framework/db/AdoIbQuery.h"

#include "core/db/DbConnection.h"
#include "core/db/DbError.h"
#include "core/db/SqlStatement.h"
#include "framework/db/SharedDatabase.h"

TADOIBQuery::TADOIBQuery(const TFieldDefs& defs, QObject* parent) : TRecordSet(defs, parent) {}

TADOIBQuery::~TADOIBQuery() = default;

QStringList TADOIBQuery::ActiveSql() const {
    // Both engines we support read ANSI joins, which the InterBase-family and
    // SQL Server-family statements are written with; the Oracle-family one
    // uses outer-join marks they do not know.
    for (const QStringList* text : {&SQL_IB, &SQL_MSSQL, &SQL})
        if (!text->join(QString()).trimmed().isEmpty())
            return *text;
    return {};
}

TQueryParams& TADOIBQuery::Params() {
    const QString text = ActiveSql().join(u'\n');
    if (!m_paramsKnown || text != m_paramsFor) {
        m_params.Reset(SqlPlaceholders(text));
        m_paramsFor = text;
        m_paramsKnown = true;
    }
    return m_params;
}

TDbConnection& TADOIBQuery::Database() const {
    if (TDbConnection* db = m_connection ? m_connection : SharedDatabase())
        return *db;
    throw EDbError(
        QStringLiteral("A consulta %1 não tem conexão com o banco de dados.").arg(objectName()));
}

void TADOIBQuery::Open() {
    if (Active())
        return;
    if (BeforeOpen)
        BeforeOpen(*this);
    const QString text = ActiveSql().join(u'\n');
    if (text.trimmed().isEmpty())
        throw EDbError(QStringLiteral("A consulta %1 não tem comando SQL.").arg(objectName()));
    TDbConnection& db = Database();
    TQueryParams& params = Params();
    std::unique_ptr<TRowStore> rows;
    try {
        TSqlStatement st(db, text);
        for (int i = 0; i < params.Count(); ++i) {
            const TQueryParam& p = params.Items(i);
            if (!p.HasValue())
                throw EDbError(QStringLiteral("O parâmetro %1 não tem valor.").arg(p.Name()));
            st.Bind(p.Name(), p.Value());
        }
        st.Exec();
        rows = st.ReadRows(DataFieldDefs(FieldDefs()));
    } catch (const EDbError& e) {
        throw EDbError(
            QStringLiteral("Erro ao abrir a consulta %1: %2").arg(objectName(), e.Message()));
    }
    TRecordSet::Open(std::move(rows));
}

void TADOIBQuery::RefuseChange() const {
    throw EDatabaseError(QStringLiteral("A consulta %1 é somente de leitura.").arg(objectName()));
}

void TADOIBQuery::Edit() {
    RefuseChange();
}
void TADOIBQuery::Insert() {
    RefuseChange();
}
void TADOIBQuery::Append() {
    RefuseChange();
}
void TADOIBQuery::Delete() {
    RefuseChange();
}

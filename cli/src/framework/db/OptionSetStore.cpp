#include "framework/db/OptionSetStore.h"

#include "core/data/OleDate.h"
#include "core/db/DbConnection.h"
#include "core/db/DbError.h"
#include "core/db/SqlStatement.h"
#include "framework/db/SharedDatabase.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace {

// Lines travel as a JSON array of strings: any text survives, blank lines
// and line breaks inside a value included.
QString Encode(const QStringList& lines) {
    return QString::fromUtf8(
        QJsonDocument(QJsonArray::fromStringList(lines)).toJson(QJsonDocument::Compact));
}

QStringList Decode(const QString& text) {
    QStringList out;
    for (const auto& v : QJsonDocument::fromJson(text.toUtf8()).array())
        out << v.toString();
    return out;
}

const QString kKey =
    QStringLiteral("CDTELA = :CDTELA AND CDOPERADOR = :CDOPERADOR AND NMOPCAO = :NMOPCAO");

} // namespace

TOptionSetStore::TOptionSetStore(QString screenCode, QString operatorCode, TDbConnection* db)
    : m_screen(std::move(screenCode)), m_operator(std::move(operatorCode)), m_db(db) {}

TDbConnection& TOptionSetStore::Db() const {
    if (TDbConnection* db = m_db ? m_db : SharedDatabase())
        return *db;
    throw EDbError(QStringLiteral("Não há conexão com o banco de dados para as opções de filtro."));
}

QString TOptionSetStore::Checked(const QString& name) {
    const QString n = name.trimmed();
    if (n.isEmpty())
        throw EDbError(QStringLiteral("Informe o nome da opção."));
    if (n.size() > 60)
        throw EDbError(QStringLiteral("O nome da opção deve ter no máximo 60 caracteres."));
    return n;
}

QStringList TOptionSetStore::Names() const {
    TSqlStatement st(Db(), QStringLiteral("SELECT NMOPCAO FROM OPCAOFILTRO WHERE CDTELA = :CDTELA "
                                          "AND CDOPERADOR = :CDOPERADOR ORDER BY NMOPCAO"));
    st.Exec({{"CDTELA", m_screen}, {"CDOPERADOR", m_operator}});
    QStringList names;
    while (st.Next())
        names << st.Value(0).toString();
    return names;
}

bool TOptionSetStore::Exists(const QString& name) const {
    TSqlStatement st(Db(), QStringLiteral("SELECT 1 FROM OPCAOFILTRO WHERE ") + kKey);
    st.Exec({{"CDTELA", m_screen}, {"CDOPERADOR", m_operator}, {"NMOPCAO", name.trimmed()}});
    return st.Next();
}

void TOptionSetStore::Save(const QString& name, const TOptionSet& set) {
    const QString n = Checked(name);
    TDbConnection& db = Db();
    TTransaction tr(db);
    const TSqlParams key = {{"CDTELA", m_screen}, {"CDOPERADOR", m_operator}, {"NMOPCAO", n}};
    ExecSql(db, QStringLiteral("DELETE FROM OPCAOFILTRO WHERE ") + kKey, key);
    TSqlParams row = key;
    row.push_back({"TXCONTROLES", Encode(set.controls)});
    row.push_back({"TXVARIAVEIS", Encode(set.variables)});
    row.push_back({"DTALTEOPCAO", DateTimeToOle(QDateTime::currentDateTime())});
    ExecSql(db,
            QStringLiteral("INSERT INTO OPCAOFILTRO (CDTELA, CDOPERADOR, NMOPCAO, TXCONTROLES, "
                           "TXVARIAVEIS, DTALTEOPCAO) VALUES (:CDTELA, :CDOPERADOR, :NMOPCAO, "
                           ":TXCONTROLES, :TXVARIAVEIS, :DTALTEOPCAO)"),
            row);
    tr.Commit();
}

TOptionSet TOptionSetStore::Load(const QString& name) const {
    TSqlStatement st(
        Db(), QStringLiteral("SELECT TXCONTROLES, TXVARIAVEIS FROM OPCAOFILTRO WHERE ") + kKey);
    st.Exec({{"CDTELA", m_screen}, {"CDOPERADOR", m_operator}, {"NMOPCAO", name.trimmed()}});
    if (!st.Next())
        throw EDbError(QStringLiteral("A opção \"%1\" não existe.").arg(name.trimmed()));
    return {Decode(st.Value(0).toString()), Decode(st.Value(1).toString())};
}

void TOptionSetStore::Delete(const QString& name) {
    TDbConnection& db = Db();
    TTransaction tr(db);
    ExecSql(db, QStringLiteral("DELETE FROM OPCAOFILTRO WHERE ") + kKey,
            {{"CDTELA", m_screen}, {"CDOPERADOR", m_operator}, {"NMOPCAO", name.trimmed()}});
    tr.Commit();
}

#include "contratante/ContratanteUpkeep.h"

#include "contratante/ContratanteReads.h"

#include "core/db/DbConnection.h"
#include "core/db/SqlStatement.h"
#include "rpc/CallContext.h"
#include "storage/DbDate.h"

namespace {

void ExigeAprovado(TDbConnection& db, const TBudgetKey& key) {
    const TOrcaResumo r = Resumo(db, key);
    if (!r.existe)
        throw ERemoteError(QStringLiteral("O orçamento %1 não foi encontrado.").arg(key.Text()));
    if (r.situacao != u"2")
        throw ERemoteError(QStringLiteral("Os contratantes do orçamento %1 só podem ser alterados "
                                          "enquanto ele está aprovado.")
                               .arg(key.Text()));
}

void ExigeContratanteAtivo(TDbConnection& db, const TBudgetKey& key, const QString& cliente) {
    if (SituacaoContratante(db, key, cliente) != u"ATIVO")
        throw ERemoteError(QStringLiteral("O cliente %1 não é contratante ativo do orçamento %2.")
                               .arg(cliente, key.Text()));
}

void ExigeClienteAtivo(TDbConnection& db, const QString& cliente) {
    TSqlStatement st(db, QStringLiteral("SELECT IDCLIEATIV FROM CLIENTE WHERE "
                                        "CDCLIENTE = :CLIENTE"));
    st.Exec({{QStringLiteral("CLIENTE"), cliente}});
    if (!st.Next() || st.Value(0).toString() != u"S")
        throw ERemoteError(
            QStringLiteral("O cliente %1 não está cadastrado ou está inativo.").arg(cliente));
}

void ExigeEmpresa(TDbConnection& db, const QString& empresa) {
    TSqlStatement st(db, QStringLiteral("SELECT 1 FROM EMPRESA WHERE CDEMPRESA = "
                                        ":EMPRESA"));
    st.Exec({{QStringLiteral("EMPRESA"), empresa}});
    if (!st.Next())
        throw ERemoteError(QStringLiteral("A empresa %1 não está cadastrada.").arg(empresa));
}

// The key and the client, bound as :FILIAL, :NUMERO, :SEQ and :CLIENTE.
TSqlParams ContratanteParams(const TContratanteDados& c) {
    TSqlParams p = KeyParams(c.key);
    p.emplace_back(QStringLiteral("CLIENTE"), c.cliente);
    return p;
}

QString ContratanteWhere() {
    return KeyWhere() + QStringLiteral(" AND CDCLIENCONTORCA = :CLIENTE");
}

// Sets `columns` of an active contracting client of an approved budget.
void AtualizaAtivo(TDbConnection& db, const TContratanteDados& c, const char* columns,
                   std::initializer_list<std::pair<QString, QVariant>> values) {
    ExigeAprovado(db, c.key);
    ExigeContratanteAtivo(db, c.key, c.cliente);
    TSqlParams p = ContratanteParams(c);
    p.insert(p.end(), values);
    ExecSql(db,
            QStringLiteral("UPDATE CONTRATORCA SET %1 WHERE ").arg(QLatin1String(columns)) +
                ContratanteWhere(),
            p);
}

} // namespace

void IncluirContratante(TDbConnection& db, const TContratanteDados& c) {
    ExigeAprovado(db, c.key);
    ExigeClienteAtivo(db, c.cliente);
    if (!c.empresa.isEmpty())
        ExigeEmpresa(db, c.empresa);
    const QString atual = SituacaoContratante(db, c.key, c.cliente);
    if (atual == u"ATIVO")
        throw ERemoteError(QStringLiteral("O cliente %1 já é contratante do orçamento %2.")
                               .arg(c.cliente, c.key.Text()));
    TSqlParams p = ContratanteParams(c);
    p.emplace_back(QStringLiteral("VALOR"), c.valor);
    p.emplace_back(QStringLiteral("CONVIDADOS"), c.convidados);
    p.emplace_back(QStringLiteral("EMPRESA"), c.empresa.isEmpty() ? QVariant() : c.empresa);
    p.emplace_back(QStringLiteral("DATA"), DbNow());
    // A cancelled contracting client comes back rather than twice.
    ExecSql(db,
            atual.isEmpty()
                ? QStringLiteral("INSERT INTO CONTRATORCA (CDFILIAL, NRORCAEVENTO, NRSEQORCAEVE, "
                                 "CDCLIENCONTORCA, IDSITUCONTOREV, VRRECECONTOREV, "
                                 "QTCONVCONTOREV, CDEMPRESA, DTINCLCONTOREV) VALUES (:FILIAL, "
                                 ":NUMERO, :SEQ, :CLIENTE, 'ATIVO', :VALOR, :CONVIDADOS, "
                                 ":EMPRESA, :DATA)")
                : QStringLiteral("UPDATE CONTRATORCA SET IDSITUCONTOREV = 'ATIVO', "
                                 "VRRECECONTOREV = :VALOR, QTCONVCONTOREV = :CONVIDADOS, "
                                 "CDEMPRESA = :EMPRESA, DTINCLCONTOREV = :DATA WHERE ") +
                      ContratanteWhere(),
            p);
}

void AlterarContratante(TDbConnection& db, const TContratanteDados& c) {
    AtualizaAtivo(
        db, c, "VRRECECONTOREV = :VALOR, QTCONVCONTOREV = :CONVIDADOS",
        {{QStringLiteral("VALOR"), c.valor}, {QStringLiteral("CONVIDADOS"), c.convidados}});
}

void CancelarContratante(TDbConnection& db, const TContratanteDados& c) {
    AtualizaAtivo(db, c, "IDSITUCONTOREV = 'CANCELADO'", {});
}

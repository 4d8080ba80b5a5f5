#include "ContratanteModule.h"

#include "ControlLayouts.h"
#include "DbConnection.h"
#include "DbUrl.h"
#include "FieldDef.h"
#include "SqlStatement.h"
#include "storage/DbDate.h"
#include "storage/Money.h"

#include <algorithm>
#include <cmath>

namespace {

const QString kServer = QStringLiteral("ORE09000.rdmContratante");

struct TContrato {
    QString cliente;
    QVariant valor, convidados, empresa;
};

std::vector<TContrato> Ativos(TDbConnection& db, const TBudgetKey& key) {
    TSqlStatement st(db, QStringLiteral("SELECT CDCLIENCONTORCA, VRRECECONTOREV, QTCONVCONTOREV, "
                                        "CDEMPRESA FROM CONTRATORCA WHERE ") +
                             KeyWhere() +
                             QStringLiteral(" AND IDSITUCONTOREV = 'ATIVO' ORDER BY "
                                            "CDCLIENCONTORCA"));
    st.Exec(KeyParams(key));
    std::vector<TContrato> out;
    while (st.Next())
        out.push_back({st.Value(0).toString(), st.Value(1), st.Value(2), st.Value(3)});
    return out;
}

struct TOrcaResumo {
    bool existe = false;
    QString situacao;
    double total = 0;
    QVariant convidados, qtContratantes;
    QString tipoEvento;
};

TOrcaResumo Resumo(TDbConnection& db, const TBudgetKey& key) {
    TSqlStatement st(db, QStringLiteral("SELECT IDSITUORCEVE, VRTOTALOREV, QTCONVORCEVE, "
                                        "QTCONTRATOREV, CDTIPOEVENTO FROM ORCAEVENTO WHERE ") +
                             KeyWhere());
    st.Exec(KeyParams(key));
    TOrcaResumo r;
    if (st.Next()) {
        r.existe = true;
        r.situacao = st.Value(0).toString();
        r.total = st.Value(1).toDouble();
        r.convidados = st.Value(2);
        r.qtContratantes = st.Value(3);
        r.tipoEvento = st.Value(4).toString();
    }
    return r;
}

TBudgetKey KeyArgs(const TArgs& a, int first = 0) {
    return {a.String(first, QStringLiteral("CDFILIAL")),
            a.String(first + 1, QStringLiteral("NRORCAEVENTO")),
            a.String(first + 2, QStringLiteral("NRSEQORCAEVE"))};
}

QVariant OptionalDouble(const TArgs& a, int i, const QString& name) {
    return a.IsNull(i) ? QVariant() : QVariant(a.Double(i, name));
}

// Contracting clients change only while the budget waits to be closed.
void ExigeAprovado(TDbConnection& db, const TBudgetKey& key) {
    const TOrcaResumo r = Resumo(db, key);
    if (!r.existe)
        throw ERemoteError(QStringLiteral("O orçamento %1 não foi encontrado.").arg(key.Text()));
    if (r.situacao != u"2")
        throw ERemoteError(QStringLiteral("Os contratantes do orçamento %1 só podem ser alterados "
                                          "enquanto ele está aprovado.")
                               .arg(key.Text()));
}

QString SituacaoContratante(TDbConnection& db, const TBudgetKey& key, const QString& cliente) {
    TSqlStatement st(db, QStringLiteral("SELECT IDSITUCONTOREV FROM CONTRATORCA WHERE ") +
                             KeyWhere() + QStringLiteral(" AND CDCLIENCONTORCA = :CLIENTE"));
    TSqlParams p = KeyParams(key);
    p.emplace_back(QStringLiteral("CLIENTE"), cliente);
    st.Exec(p);
    return st.Next() ? st.Value(0).toString() : QString();
}

void ExigeContratanteAtivo(TDbConnection& db, const TBudgetKey& key, const QString& cliente) {
    if (SituacaoContratante(db, key, cliente) != u"ATIVO")
        throw ERemoteError(QStringLiteral("O cliente %1 não é contratante ativo do orçamento %2.")
                               .arg(cliente, key.Text()));
}

TFieldDefs LayoutContratantes() {
    return {StrField(QStringLiteral("CDCLIENCONTORCA"), 21),
            StrField(QStringLiteral("NMRAZSOCCLIE"), 50),
            StrField(QStringLiteral("IDSITUCONTOREV"), 10),
            FloatField(QStringLiteral("VRRECECONTOREV")),
            FloatField(QStringLiteral("QTCONVCONTOREV")),
            StrField(QStringLiteral("CDEMPRESA"), 4)};
}

} // namespace

QString VdContraCancelado(TDbConnection& db, const TBudgetKey& key) {
    TSqlStatement st(db, QStringLiteral("SELECT COUNT(*), SUM(CASE WHEN IDSITUCONTOREV = 'ATIVO' "
                                        "THEN 1 ELSE 0 END) FROM CONTRATORCA WHERE ") +
                             KeyWhere());
    st.Exec(KeyParams(key));
    st.Next();
    const bool todosCancelados = st.Value(0).toLongLong() > 0 && st.Value(1).toLongLong() == 0;
    return todosCancelados ? QStringLiteral("CONTRAT_CANCELADO") : QString();
}

QString VdValor(TDbConnection& db, const TBudgetKey& key) {
    const TOrcaResumo orca = Resumo(db, key);
    const auto ativos = Ativos(db, key);
    if (!orca.existe || ativos.empty())
        return {};
    qint64 soma = 0;
    for (const auto& c : ativos) {
        if (c.valor.isNull())
            return QStringLiteral("N_PARAM_VRNOTA_ZERO");
        soma += Cents(c.valor.toDouble());
    }
    if (soma != Cents(orca.total))
        return QStringLiteral("SOMA_DIFER_REALIZADO");
    // Guests are checked only when the budget states how many it expects,
    // each rule over every active client before the next rule.
    if (orca.convidados.isNull())
        return {};
    const double esperado = orca.convidados.toDouble();
    auto algum = [&ativos](auto regra) { return std::any_of(ativos.begin(), ativos.end(), regra); };
    if (algum([](const TContrato& c) { return c.convidados.isNull(); }))
        return QStringLiteral("CONV_N_INF");
    if (algum([](const TContrato& c) {
            const double q = c.convidados.toDouble();
            return q < 0 || q != std::floor(q);
        }))
        return QStringLiteral("CONV_INV");
    if (algum([esperado](const TContrato& c) { return c.convidados.toDouble() > esperado; }))
        return QStringLiteral("CONV_MAI");
    double convidados = 0;
    for (const auto& c : ativos)
        convidados += c.convidados.toDouble();
    if (convidados != esperado)
        return QStringLiteral("CONV_DIF");
    return {};
}

QString VdValorNegativo(TDbConnection& db, const TBudgetKey& key) {
    const TOrcaResumo orca = Resumo(db, key);
    if (!orca.existe || Cents(orca.total) >= 0)
        return {};
    // A budget below zero is a credit to its contracting clients (paid back,
    // or taken off a closed parent's instalments), so none may be charged.
    for (const auto& c : Ativos(db, key))
        if (Cents(c.valor.toDouble()) >= 0)
            return QStringLiteral("VALOR_COBRADO_MENOR");
    return {};
}

bool QtContratantesConfere(TDbConnection& db, const TBudgetKey& key) {
    const TOrcaResumo orca = Resumo(db, key);
    // No expected count means any number of contracting clients will do.
    if (!orca.existe || orca.qtContratantes.isNull() || orca.qtContratantes.toLongLong() <= 0)
        return true;
    return qint64(Ativos(db, key).size()) == orca.qtContratantes.toLongLong();
}

void RegisterContratanteModule(TRemoteModuleRegistry& registry, const QString& dbUrl) {
    const DbUrl url = DbUrl::Parse(dbUrl);
    // Every check reads one snapshot of the budget.
    auto check = [url](auto fn) {
        return [url, fn](TCallContext&, const QVariantList& args) -> QVariant {
            const TArgs a = Args(args).Count(3);
            const TBudgetKey key = KeyArgs(a);
            TDbConnection& db = OpenDatabase(url);
            TTransaction tr(db, TTransaction::TMode::Read);
            return fn(db, key);
        };
    };

    registry.Register(kServer, QStringLiteral("GetExisteContratante"),
                      check([](TDbConnection& db, const TBudgetKey& key) {
                          return QVariant::fromValue(SelectPacket(
                              db,
                              QStringLiteral("SELECT CDCLIENCONTORCA, IDSITUCONTOREV, "
                                             "VRRECECONTOREV FROM CONTRATORCA WHERE ") +
                                  KeyWhere() + QStringLiteral(" ORDER BY CDCLIENCONTORCA"),
                              KeyParams(key), LayoutExisteContratante()));
                      }));
    registry.Register(kServer, QStringLiteral("GetVdContraCancelado"),
                      check([](TDbConnection& db, const TBudgetKey& key) {
                          return QVariant(QVariantList{VdContraCancelado(db, key)});
                      }));
    registry.Register(kServer, QStringLiteral("GetVdValor"),
                      check([](TDbConnection& db, const TBudgetKey& key) {
                          return QVariant(QVariantList{VdValor(db, key)});
                      }));
    registry.Register(kServer, QStringLiteral("GetVdValorNegativo"),
                      check([](TDbConnection& db, const TBudgetKey& key) {
                          return QVariant(QVariantList{VdValorNegativo(db, key)});
                      }));
    // Informative only: whether the event type is of effective cost. The
    // screen stores it without judging it, so it never refuses.
    registry.Register(
        kServer, QStringLiteral("GetVdTipoEveCustEfet"),
        check([](TDbConnection& db, const TBudgetKey& key) {
            TSqlStatement st(db, QStringLiteral("SELECT T.IDCUSTOEFETIVO FROM ORCAEVENTO O JOIN "
                                                "TIPOEVENTO T ON T.CDTIPOEVENTO = O.CDTIPOEVENTO "
                                                "WHERE O.CDFILIAL = :FILIAL AND O.NRORCAEVENTO = "
                                                ":NUMERO AND O.NRSEQORCAEVE = :SEQ"));
            st.Exec(KeyParams(key));
            const QString efetivo = st.Next() ? st.Value(0).toString() : QStringLiteral("N");
            return QVariant(QVariantList{efetivo});
        }));
    registry.Register(kServer, QStringLiteral("GetQtContratantes"),
                      check([](TDbConnection& db, const TBudgetKey& key) {
                          return QVariant(QtContratantesConfere(db, key));
                      }));
    registry.Register(
        kServer, QStringLiteral("GetContratantes"),
        check([](TDbConnection& db, const TBudgetKey& key) {
            return QVariant::fromValue(SelectPacket(
                db,
                QStringLiteral("SELECT C.CDCLIENCONTORCA, L.NMRAZSOCCLIE, C.IDSITUCONTOREV, "
                               "C.VRRECECONTOREV, C.QTCONVCONTOREV, C.CDEMPRESA FROM "
                               "CONTRATORCA C JOIN CLIENTE L ON L.CDCLIENTE = "
                               "C.CDCLIENCONTORCA WHERE C.CDFILIAL = :FILIAL AND "
                               "C.NRORCAEVENTO = :NUMERO AND C.NRSEQORCAEVE = :SEQ ORDER BY "
                               "C.CDCLIENCONTORCA"),
                KeyParams(key), LayoutContratantes()));
        }));

    // key, client, value (or null), guests (or null), billing company (or empty)
    registry.Register(
        kServer, QStringLiteral("IncluirContratante"),
        [url](TCallContext&, const QVariantList& args) -> QVariant {
            const TArgs a = Args(args).Count(7);
            const TBudgetKey key = KeyArgs(a);
            const QString cliente = a.String(3, QStringLiteral("CDCLIENCONTORCA"));
            const QVariant valor = OptionalDouble(a, 4, QStringLiteral("VRRECECONTOREV"));
            const QVariant convidados = OptionalDouble(a, 5, QStringLiteral("QTCONVCONTOREV"));
            const QString empresa =
                a.IsNull(6) ? QString() : a.String(6, QStringLiteral("CDEMPRESA"));
            TDbConnection& db = OpenDatabase(url);
            TTransaction tr(db);
            ExigeAprovado(db, key);
            {
                TSqlStatement st(db, QStringLiteral("SELECT IDCLIEATIV FROM CLIENTE WHERE "
                                                    "CDCLIENTE = :CLIENTE"));
                st.Exec({{QStringLiteral("CLIENTE"), cliente}});
                if (!st.Next() || st.Value(0).toString() != u"S")
                    throw ERemoteError(
                        QStringLiteral("O cliente %1 não está cadastrado ou está inativo.")
                            .arg(cliente));
            }
            if (!empresa.isEmpty()) {
                TSqlStatement st(db, QStringLiteral("SELECT 1 FROM EMPRESA WHERE CDEMPRESA = "
                                                    ":EMPRESA"));
                st.Exec({{QStringLiteral("EMPRESA"), empresa}});
                if (!st.Next())
                    throw ERemoteError(
                        QStringLiteral("A empresa %1 não está cadastrada.").arg(empresa));
            }
            const QString atual = SituacaoContratante(db, key, cliente);
            if (atual == u"ATIVO")
                throw ERemoteError(QStringLiteral("O cliente %1 já é contratante do orçamento %2.")
                                       .arg(cliente, key.Text()));
            TSqlParams p = KeyParams(key);
            p.emplace_back(QStringLiteral("CLIENTE"), cliente);
            p.emplace_back(QStringLiteral("VALOR"), valor);
            p.emplace_back(QStringLiteral("CONVIDADOS"), convidados);
            p.emplace_back(QStringLiteral("EMPRESA"), empresa.isEmpty() ? QVariant() : empresa);
            p.emplace_back(QStringLiteral("DATA"), DbNow());
            // A cancelled contracting client comes back rather than twice.
            ExecSql(db,
                    atual.isEmpty()
                        ? QStringLiteral(
                              "INSERT INTO CONTRATORCA (CDFILIAL, NRORCAEVENTO, NRSEQORCAEVE, "
                              "CDCLIENCONTORCA, IDSITUCONTOREV, VRRECECONTOREV, QTCONVCONTOREV, "
                              "CDEMPRESA, DTINCLCONTOREV) VALUES (:FILIAL, :NUMERO, :SEQ, "
                              ":CLIENTE, 'ATIVO', :VALOR, :CONVIDADOS, :EMPRESA, :DATA)")
                        : QStringLiteral(
                              "UPDATE CONTRATORCA SET IDSITUCONTOREV = 'ATIVO', VRRECECONTOREV = "
                              ":VALOR, QTCONVCONTOREV = :CONVIDADOS, CDEMPRESA = :EMPRESA, "
                              "DTINCLCONTOREV = :DATA WHERE ") +
                              KeyWhere() + QStringLiteral(" AND CDCLIENCONTORCA = :CLIENTE"),
                    p);
            tr.Commit();
            return {};
        });

    // key, client, value (or null), guests (or null)
    registry.Register(kServer, QStringLiteral("AlterarContratante"),
                      [url](TCallContext&, const QVariantList& args) -> QVariant {
                          const TArgs a = Args(args).Count(6);
                          const TBudgetKey key = KeyArgs(a);
                          const QString cliente = a.String(3, QStringLiteral("CDCLIENCONTORCA"));
                          TSqlParams p = KeyParams(key);
                          p.emplace_back(QStringLiteral("CLIENTE"), cliente);
                          p.emplace_back(QStringLiteral("VALOR"),
                                         OptionalDouble(a, 4, QStringLiteral("VRRECECONTOREV")));
                          p.emplace_back(QStringLiteral("CONVIDADOS"),
                                         OptionalDouble(a, 5, QStringLiteral("QTCONVCONTOREV")));
                          TDbConnection& db = OpenDatabase(url);
                          TTransaction tr(db);
                          ExigeAprovado(db, key);
                          ExigeContratanteAtivo(db, key, cliente);
                          ExecSql(db,
                                  QStringLiteral("UPDATE CONTRATORCA SET VRRECECONTOREV = :VALOR, "
                                                 "QTCONVCONTOREV = :CONVIDADOS WHERE ") +
                                      KeyWhere() +
                                      QStringLiteral(" AND CDCLIENCONTORCA = :CLIENTE"),
                                  p);
                          tr.Commit();
                          return {};
                      });

    // key, client
    registry.Register(kServer, QStringLiteral("CancelarContratante"),
                      [url](TCallContext&, const QVariantList& args) -> QVariant {
                          const TArgs a = Args(args).Count(4);
                          const TBudgetKey key = KeyArgs(a);
                          const QString cliente = a.String(3, QStringLiteral("CDCLIENCONTORCA"));
                          TSqlParams p = KeyParams(key);
                          p.emplace_back(QStringLiteral("CLIENTE"), cliente);
                          TDbConnection& db = OpenDatabase(url);
                          TTransaction tr(db);
                          ExigeAprovado(db, key);
                          ExigeContratanteAtivo(db, key, cliente);
                          ExecSql(db,
                                  QStringLiteral("UPDATE CONTRATORCA SET IDSITUCONTOREV = "
                                                 "'CANCELADO' WHERE ") +
                                      KeyWhere() +
                                      QStringLiteral(" AND CDCLIENCONTORCA = :CLIENTE"),
                                  p);
                          tr.Commit();
                          return {};
                      });
}

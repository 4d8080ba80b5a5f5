#include "modules/FechaOrcaModule.h"

#include "core/db/CodeList.h"
#include "core/db/DbConnection.h"
#include "core/db/SqlStatement.h"
#include "core/db/SqlText.h"
#include "core/layouts/ControlLayouts.h"
#include "core/layouts/OrcaLayouts.h"
#include "modules/OrcaReads.h"
#include "rpc/ListStringArg.h"
#include "rpc/RemoteModuleRegistry.h"
#include "storage/BudgetKey.h"

#include <cmath>

namespace {

const QString kServer = QStringLiteral("ORE00800.rdmFechaOrca");

// A condition on the budgets (alias O) with its parameters. Only placeholder
// names are written into the text; every value is bound.
struct TCondition {
    TDbConnection& db;
    QStringList terms;
    TSqlParams params;

    void Add(const QString& term, TSqlParams values = {}) {
        terms << term;
        for (auto& v : values)
            params.push_back(std::move(v));
    }
    // "COLUMN IN (…)" for the codes of a list, however many there are: the
    // statement stays as short to prepare and bind for 10,000 codes as for
    // one.
    QString In(const QString& column, const QString& name, const QStringList& codes) {
        return CodeListCondition(db, column, name, codes, params);
    }
    QString Where() const { return terms.join(QStringLiteral(" AND ")); }
};

// The budget key a detail call receives.
TBudgetKey KeyArgs(const QVariantList& args) {
    const TArgs a = Args(args).Count(3);
    return {a.String(0, "CDFILIAL"), a.String(1, "NRORCAEVENTO"), a.String(2, "NRSEQORCAEVE")};
}

// Budget numbers are compared as 10-character zero-filled text, as stored.
QString PadNumber(const QString& typed) {
    const QString t = typed.trimmed();
    return t.isEmpty() ? t : t.rightJustified(10, u'0');
}

// Driven by the budgets, as the statements of OrcaReads.cpp.
const char* kObsExtSql = R"(
SELECT X.CDFILIAL, X.NRORCAEVENTO, X.NRSEQORCAEVE, X.TXOBSEXTOREV
FROM ORCAEVENTO O
CROSS JOIN OBSEXTORCAEV X
WHERE X.CDFILIAL = O.CDFILIAL AND X.NRORCAEVENTO = O.NRORCAEVENTO
  AND X.NRSEQORCAEVE = O.NRSEQORCAEVE AND %1
ORDER BY O.NRORCAEVENTO, O.NRSEQORCAEVE)";

const char* kObsIntSql = R"(
SELECT X.CDFILIAL, X.NRORCAEVENTO, X.CDDEPTO, D.NMDEPTO, X.TXOBSINTOREV, X.NRSEQORCAEVE
FROM ORCAEVENTO O
CROSS JOIN OBSINTORCAEV X
JOIN DEPARTAMENTO D ON D.CDDEPTO = X.CDDEPTO
WHERE X.CDFILIAL = O.CDFILIAL AND X.NRORCAEVENTO = O.NRORCAEVENTO
  AND X.NRSEQORCAEVE = O.NRSEQORCAEVE AND %1
ORDER BY O.NRORCAEVENTO, O.NRSEQORCAEVE, X.CDDEPTO)";

QString Sql(const char* text, const QString& where) {
    return QString::fromUtf8(text).arg(where);
}

void RequireBranch(TDbConnection& db, const QString& branch) {
    TSqlStatement st(db, QStringLiteral("SELECT 1 FROM FILIAL WHERE CDFILIAL = :CDFILIAL"));
    st.Exec({{"CDFILIAL", branch}});
    if (!st.Next())
        throw ERemoteError(QStringLiteral("A filial \"%1\" não está cadastrada.").arg(branch));
}

// The budgets the 17 arguments of GetOrcaEvento select.
TCondition OrcaEventoCondition(TDbConnection& db, const QVariantList& args) {
    const TArgs a = Args(args).Count(17);
    const QString branch = a.String(0, "CDFILIAL");
    const QString nrDe = PadNumber(a.String(1, "NRORCAEVENTO inicial"));
    const QString nrAte = PadNumber(a.String(2, "NRORCAEVENTO final"));
    // Date-times or plain OLE day numbers; zero is no date.
    const double dates[4] = {a.Date(3, "DTEVENTO inicial"), a.Date(4, "DTEVENTO final"),
                             a.Date(5, "DTVALIORCEVE inicial"), a.Date(6, "DTVALIORCEVE final")};
    const struct {
        int arg;
        const char* what;
        const char* column;
        const char* param;
    } lists[] = {
        {7, "vendedores", "O.CDVENDEDOR", "VEND"},
        {8, "clientes", "O.CDCLIENTE", "CLIE"},
        {9, "tipos de serviço", "O.CDTPSERVEVEN", "SERV"},
        {10, "tipos de evento", "O.CDTIPOEVENTO", "EVEN"},
        {11, "produtos", "IP.CDPRODUTO", "PROD"},
        {12, "mão de obra", "MP.CDPRODUTO", "OBRA"},
    };
    const QString situ = a.String(13, "IDSITUORCEVE");
    const QString novoClie = a.String(14, "NMCLIEORCEVE");
    const QString titulo = a.String(15, "DSTITUORCEVE");
    const QString gerente = a.String(16, "CDGERVENDEDOR");

    RequireBranch(db, branch);
    TCondition c{db, {}, {}};
    c.Add("O.CDFILIAL = :BRANCH", {{"BRANCH", branch}});
    if (!nrDe.isEmpty())
        c.Add("O.NRORCAEVENTO >= :NRDE", {{"NRDE", nrDe}});
    if (!nrAte.isEmpty())
        c.Add("O.NRORCAEVENTO <= :NRATE", {{"NRATE", nrAte}});
    // Whole days: "to" takes in the whole of its last day.
    const char* dateColumns[2] = {"O.DTEVENTO", "O.DTVALIORCEVE"};
    for (int i = 0; i < 4; ++i) {
        if (dates[i] == 0)
            continue;
        const QString name = QStringLiteral("DT%1").arg(i);
        const bool from = i % 2 == 0;
        const double day = std::floor(dates[i]) + (from ? 0 : 1);
        c.Add(QStringLiteral("%1 %2 :%3")
                  .arg(QLatin1String(dateColumns[i / 2]), from ? ">=" : "<", name),
              {{name, day}});
    }
    for (const auto& l : lists) {
        const QStringList codes =
            ParseListString(a.String(l.arg, QString::fromUtf8(l.what)), QString::fromUtf8(l.what));
        if (codes.isEmpty())
            continue;
        const QString in = c.In(QLatin1String(l.column), QLatin1String(l.param), codes);
        if (l.arg == 11)
            c.Add(QStringLiteral("EXISTS (SELECT 1 FROM ITEMORCAEVEN IP WHERE %1 AND %2)")
                      .arg(SameBudget("IP"), in));
        else if (l.arg == 12)
            c.Add(QStringLiteral("EXISTS (SELECT 1 FROM ITMAOOBRAORCA MP WHERE %1 AND %2)")
                      .arg(SameBudget("MP"), in));
        else
            c.Add(in);
    }
    if (!situ.isEmpty()) {
        QStringList codes;
        for (const QChar ch : situ) {
            if (ch < u'1' || ch > u'8')
                throw ERemoteError(QStringLiteral("A situação \"%1\" pedida ao servidor não "
                                                  "existe; as situações vão de 1 a 8.")
                                       .arg(ch));
            if (!codes.contains(QString(ch)))
                codes << QString(ch);
        }
        c.Add(c.In("O.IDSITUORCEVE", "SITU", codes));
    }
    if (!novoClie.isEmpty())
        c.Add(ContainsCondition("O.NMCLIEORCEVE", "NOVOCLIE"),
              {{"NOVOCLIE", ContainsPattern(novoClie)}});
    if (!titulo.isEmpty())
        c.Add(ContainsCondition("O.DSTITUORCEVE", "TITULO"), {{"TITULO", ContainsPattern(titulo)}});
    if (!gerente.isEmpty())
        c.Add("(O.CDGERVENDEDOR = :GERENTE OR O.CDSUPVENDEDOR = :GERENTE)", {{"GERENTE", gerente}});
    return c;
}

QVariant GetOrcaEvento(TDbConnection& db, const QVariantList& args) {
    TTransaction tr(db, TTransaction::TMode::Read);
    const TOrcaEventoSelects list = OrcaEventoSelects(db, args);
    QVariantList out;
    for (const auto& select : list.selects)
        out << QVariant::fromValue(SelectPacket(db, select.statement, list.params, select.layout));
    tr.Commit();
    return out;
}

QVariant KeyPacket(TDbConnection& db, const QVariantList& args, const QString& sql,
                   const TFieldDefs& defs) {
    return QVariant::fromValue(SelectPacket(db, sql, KeyParams(KeyArgs(args)), defs));
}

const char* kPrazoPgtoSql = R"(
SELECT O.DTVENCPARCOREV, O.VRPARCELAOREV, O.DSOBSPARCOREV, O.CDFILIAL, O.NRORCAEVENTO,
  O.NRSEQORCAEVE, O.QTDIASPGTOREV, O.VRPERCPGTOREV
FROM PRAZOPGTOORCA O WHERE %1 ORDER BY O.NRPARCOREV)";

// Related budgets still open (pending or approved): a main budget's children,
// or a child's main budget.
const char* kVerifSql = R"(
SELECT R.NRORCAEVENTO FROM ORCAEVENTO R
JOIN ORCAEVENTO O ON O.CDFILIAL = R.CDFILIAL AND O.NRORCAEVENTO = R.NRORCAEVENTO
WHERE %1 AND R.IDSITUORCEVE IN ('1', '2')
  AND ((O.NRSEQORCAEVE = '00' AND R.NRSEQORCAEVE <> '00')
    OR (O.NRSEQORCAEVE <> '00' AND R.NRSEQORCAEVE = '00'))
ORDER BY R.NRSEQORCAEVE)";

TFieldDefs LayoutGerenteSup() {
    return {StrField("CDVENDEDOR", 4).Label("Código"), StrField("NMFANVEN", 50).Label("Nome")};
}

QVariant GetGerenteSup(TDbConnection& db, const QVariantList& args) {
    const QString code = Args(args).Count(1).String(0, "CDVENDEDOR").trimmed();
    QString sql = QStringLiteral("SELECT CDVENDEDOR, NMFANVEN FROM VENDEDOR "
                                 "WHERE IDTPVENDEDOR IN ('G', 'S') AND IDATIVOVEN = 'S'");
    TSqlParams params;
    if (code.isEmpty()) {
        sql += QStringLiteral(" ORDER BY NMFANVEN");
    } else {
        sql += QStringLiteral(" AND CDVENDEDOR = :CDVENDEDOR");
        params.emplace_back("CDVENDEDOR", code);
    }
    return QVariant::fromValue(SelectPacket(db, sql, params, LayoutGerenteSup()));
}

QVariant SetClieContratante(TDbConnection& db, const QVariantList& args) {
    const TArgs a = Args(args).Count(3);
    const QString client = a.String(0, "CDCLICONTORC").trimmed();
    const QString branch = a.String(1, "CDFILIAL");
    const QString number = a.String(2, "NRORCAEVENTO");
    TTransaction tr(db);
    if (!client.isEmpty()) {
        TSqlStatement st(db, QStringLiteral("SELECT 1 FROM CLIENTE WHERE CDCLIENTE = :C"));
        st.Exec({{"C", client}});
        if (!st.Next())
            throw ERemoteError(
                QStringLiteral("O cliente contratante \"%1\" não está cadastrado.").arg(client));
    }
    // The contracting client belongs to the event, so it goes on every
    // sequence of the number, except those closed or beyond (3 to 7): their
    // receivables were made out with the client they had.
    const QString closed = QStringLiteral("IDSITUORCEVE BETWEEN '3' AND '7'");
    TSqlStatement seqs(db, QStringLiteral("SELECT COUNT(*), SUM(CASE WHEN %1 THEN 1 ELSE 0 END) "
                                          "FROM ORCAEVENTO WHERE CDFILIAL = :F AND "
                                          "NRORCAEVENTO = :N")
                               .arg(closed));
    seqs.Exec({{"F", branch}, {"N", number}});
    seqs.Next();
    const qint64 all = seqs.Value(0).toLongLong();
    // Named as they came, so that a stray blank shows.
    if (all == 0)
        throw ERemoteError(
            QStringLiteral("O orçamento %1 não existe na filial \"%2\".").arg(number, branch));
    if (seqs.Value(1).toLongLong() == all)
        throw ERemoteError(QStringLiteral("O orçamento %1 da filial \"%2\" já está fechado; o "
                                          "seu cliente contratante não pode mais ser alterado.")
                               .arg(number, branch));
    ExecSql(
        db,
        QStringLiteral("UPDATE ORCAEVENTO SET CDCLICONTORC = :C WHERE CDFILIAL = :F AND "
                       "NRORCAEVENTO = :N AND NOT (%1)")
            .arg(closed),
        {{"C", client.isEmpty() ? QVariant() : QVariant(client)}, {"F", branch}, {"N", number}});
    tr.Commit();
    return true;
}

} // namespace

TOrcaEventoSelects OrcaEventoSelects(TDbConnection& db, const QVariantList& args) {
    TCondition c = OrcaEventoCondition(db, args);
    const QString where = c.Where();
    return {{{OrcaEventoSql(where), LayoutOrcaEvento()},
             {ItemOrcaEvenSql(where), LayoutItemOrcaEven()},
             {PlainSelect(TotalOrcaSql(db.Dialect(), where)), LayoutTotalOrca()},
             {ItMaoObraSql(where), LayoutItMaoObra()},
             {PlainSelect(Sql(kObsExtSql, where)), LayoutObsExtOrcaEv()},
             {PlainSelect(Sql(kObsIntSql, where)), LayoutObsIntOrcaEv()}},
            std::move(c.params)};
}

void RegisterFechaOrca(TRemoteModuleRegistry& registry, const QString& dbUrl) {
    const DbUrl url = DbUrl::Parse(dbUrl);
    auto add = [&](const char* method,
                   std::function<QVariant(TDbConnection&, const QVariantList&)> run) {
        registry.Register(kServer, QString::fromLatin1(method),
                          [url, run](TCallContext&, const QVariantList& args) {
                              return run(OpenDatabase(url), args);
                          });
    };
    // The reads of one budget by its key, asked on every move through the
    // list: their statements and layouts are made once, here.
    const auto addKeyRead = [&](const char* method, const QString& sql, const TFieldDefs& defs) {
        add(method, [sql, defs](TDbConnection& db, const QVariantList& args) {
            return KeyPacket(db, args, sql, defs);
        });
    };
    const QString keyWhere = KeyWhere("O");
    add("GetOrcaEvento", GetOrcaEvento);
    addKeyRead("GetGeral", TotalOrcaSql(url.dialect, keyWhere), LayoutTotalOrca());
    addKeyRead("GetPrazoPgto", Sql(kPrazoPgtoSql, keyWhere), LayoutPrazoPgto());
    addKeyRead("GetSalaoEven", SalaoEvenSql(), LayoutSalaoEven());
    addKeyRead("GetVerifOrcaFecha", Sql(kVerifSql, keyWhere), LayoutVerifOrcaFecha());
    add("GetParamOrca", [](TDbConnection& db, const QVariantList& args) {
        Args(args).Count(0);
        return QVariant::fromValue(SelectPacket(
            db, QStringLiteral("SELECT IDORIGPRUNITORE FROM PARAMORCA"), {}, LayoutParamOrca()));
    });
    add("GetGerenteSup", GetGerenteSup);
    add("SetClieContratante", SetClieContratante);
}

#include "modules/OrcaReads.h"

#include "storage/BudgetKey.h"
#include "storage/Money.h"

namespace {

// The budgets with the names of their codes, from 15 catalogues.
const char* kOrcaEventoColumns = R"(O.CDFORMPGTO, O.IDTPFORMPGTOREV, O.NRDIAPGTOREV,
  O.QTPARCPGTOREV, O.IDMESINIPGTOREV, 'N' AS IDMARCADO, O.CDFILIAL, O.NRORCAEVENTO,
  O.NRSEQORCAEVE, O.NMCLIEORCEVE, O.CDALTEORCEVE, O.DTINCLORCEVE, O.CDOPEINCOREV, O.CDVENDEDOR,
  O.CDTIPOEVENTO, O.CDTPSERVEVEN, O.CDCLIENTE, O.IDSITCLIOREV, O.DTVALIORCEVE, O.DSTITUORCEVE,
  O.QTCONVORCEVE, O.QTADULORCEVE, O.QTCRIAORCEVE, O.DTEVENTO, O.QTHREVENTO, O.IDSITUORCEVE,
  O.IDENDENTOREV, O.CDPAIS, O.SGESTADO, O.CDMUNICIPIO, O.CDBAIRRO, O.DSENDENTOREV,
  O.NMBAIENTOREV, O.VRDESCORCEVE, O.CDMODPGTO, O.CDPRECOBASE, O.CDESCOLA, O.CDCURSO,
  O.CDPREBAMOBRA, O.IDTPORCAEVEN, O.IDTPPGTOOREV, O.CDCLICONTORC, O.DSREFENDOREV, O.VRPEACREOREV,
  O.CDTPRECEOREV, O.VRPEREALOREV, O.DSCOMPENDORCEVE, O.VRTOTALOREV, O.CDSUPVENDEDOR,
  O.CDGERVENDEDOR, O.IDORCAFILHODISTRATO)";

const char* kOrcaEventoRest = R"(WHERE %1
ORDER BY O.NRORCAEVENTO, O.NRSEQORCAEVE)";

// The details are read from the budgets the condition selects, budget by
// budget: SQLite keeps a CROSS JOIN's left table as the outer loop, where it
// would otherwise walk every detail of the branch and look each budget up, so
// that a narrow filter costs what it returns. On the budgets' key order the
// rows come out sorted without a sort. Products, suppliers and shifts repeat
// over many rows: they are catalogues joined by code (CatalogSelect.h).
const char* kItemColumns = R"(I.CDFILIAL, I.NRORCAEVENTO, I.NRITEMORCEVE, I.CDPRODUTO,
  I.QTITEMORCEVE, I.VRITEMORCEVE, I.VRDESCITOREV, I.VRACREITOREV, I.IDITOREVPROD, I.NROPCAITOREV,
  I.NRSEQORCAEVE, I.VRPGFORNOREV, I.DTPGFORNOREV, I.IDFATUITEMOREV, I.IDCUSTOFIXO)";

const char* kItemFrom = "ORCAEVENTO O\nCROSS JOIN ITEMORCAEVEN I";

const char* kItemRest = R"(WHERE I.CDFILIAL = O.CDFILIAL AND I.NRORCAEVENTO = O.NRORCAEVENTO
  AND I.NRSEQORCAEVE = O.NRSEQORCAEVE AND %1
ORDER BY O.NRORCAEVENTO, O.NRSEQORCAEVE, I.NRITEMORCEVE)";

const char* kMaoObraColumns = R"(M.CDFILIAL, M.NRORCAEVENTO, M.NRTURNO, M.CDPRODUTO,
  M.QTPRODMOBRA, M.VRCOBRMOBRA, M.VRPAGOMOBRA, M.NRSEQORCAEVE, M.IDMOBRAEXTRA)";

const char* kMaoObraFrom = "ORCAEVENTO O\nCROSS JOIN ITMAOOBRAORCA M";

const char* kMaoObraRest = R"(WHERE M.CDFILIAL = O.CDFILIAL AND M.NRORCAEVENTO = O.NRORCAEVENTO
  AND M.NRSEQORCAEVE = O.NRSEQORCAEVE AND %1
ORDER BY O.NRORCAEVENTO, O.NRSEQORCAEVE, M.NRTURNO, M.CDPRODUTO)";

const char* kSalaoEvenSql = R"(
SELECT O.CDSALAOEVEN, S.NMSALAOEVEN, O.IDSITAGENSAL, O.NRRESERSALAO, O.DTVALRESESAL
FROM SALAOORCA O
JOIN SALAOEVEN S ON S.CDFILIAL = O.CDFILIAL AND S.CDSALAOEVEN = O.CDSALAOEVEN
WHERE %1 ORDER BY O.CDSALAOEVEN)";

QString Sql(const char* text, const QString& where) {
    return QString::fromUtf8(text).arg(where);
}

// A catalogue whose one code column `key` the statement holds in `code`.
TCatalogJoin Catalog(const char* table, const char* key, const char* code, QStringList columns,
                     bool inner = false) {
    return {QString::fromLatin1(table),
            {QString::fromLatin1(key)},
            {QString::fromLatin1(code)},
            std::move(columns),
            inner};
}

} // namespace

QString SameBudget(const char* alias) {
    return QStringLiteral("%1.CDFILIAL = O.CDFILIAL AND %1.NRORCAEVENTO = O.NRORCAEVENTO AND "
                          "%1.NRSEQORCAEVE = O.NRSEQORCAEVE")
        .arg(QLatin1String(alias));
}

QString TotalOrcaSql(TDialect dialect, const QString& where) {
    const QString items =
        QStringLiteral("COALESCE((SELECT SUM(%1) FROM ITEMORCAEVEN I WHERE %2), 0)")
            .arg(MoneySql(dialect,
                          "I.QTITEMORCEVE * I.VRITEMORCEVE - I.VRDESCITOREV + I.VRACREITOREV"),
                 SameBudget("I"));
    const QString labour =
        QStringLiteral("COALESCE((SELECT SUM(%1) FROM ITMAOOBRAORCA M WHERE %2), 0)")
            .arg(MoneySql(dialect, "M.QTPRODMOBRA * M.VRCOBRMOBRA"), SameBudget("M"));
    const QString halls =
        QStringLiteral("COALESCE((SELECT SUM(S.VRSALAORCEVE) FROM SALAOORCA S WHERE %1), 0)")
            .arg(SameBudget("S"));
    // SQLite would take the budgets in the order of whichever index has the
    // branch first, and each sum would then seek its lines all over their
    // index. In key order the lines are read as they lie (the whole branch's
    // totals in about half the time); SQLite keeps a subquery's ORDER BY only
    // when it has a LIMIT.
    const QString keyOrder =
        dialect == TDialect::SQLite
            ? QStringLiteral(" ORDER BY O.NRORCAEVENTO, O.NRSEQORCAEVE LIMIT -1")
            : QString();
    // The sums are worked out once per budget and then read twice (on their
    // own and in the net total): as a plain subquery both engines would
    // merge it into the outer query and run each sum's subquery twice.
    return QStringLiteral(
               "WITH T AS MATERIALIZED (SELECT O.CDFILIAL, O.NRORCAEVENTO, O.NRSEQORCAEVE, "
               "O.VRTOTALOREV, O.VRDESCORCEVE, O.VRACREORCEVE, %2 AS VRTOTAITEM, "
               "%3 AS VRTOTALMAO, %4 AS VRSALAORCEVE FROM ORCAEVENTO O WHERE %5%6) "
               "SELECT T.CDFILIAL, T.NRORCAEVENTO, T.NRSEQORCAEVE, %1 AS TOTALIQUIDO, "
               "T.VRTOTALOREV, T.VRTOTAITEM, T.VRTOTALMAO, T.VRSALAORCEVE, T.VRDESCORCEVE, "
               "T.VRACREORCEVE FROM T ORDER BY T.NRORCAEVENTO, T.NRSEQORCAEVE")
        .arg(MoneySql(dialect, "T.VRTOTAITEM + T.VRTOTALMAO + T.VRSALAORCEVE - T.VRDESCORCEVE + "
                               "T.VRACREORCEVE"),
             items, labour, halls, where, keyOrder);
}

TCatalogSelect OrcaEventoSql(const QString& where) {
    return CatalogSelect(
        QString::fromUtf8(kOrcaEventoColumns), QStringLiteral("ORCAEVENTO O"),
        Sql(kOrcaEventoRest, where),
        {Catalog("FILIAL", "CDFILIAL", "O.CDFILIAL", {"NMFILIAL"}, true),
         Catalog("FORMAPGTO", "CDFORMPGTO", "O.CDFORMPGTO", {"NMFORMPGTO"}),
         Catalog("CLIENTE", "CDCLIENTE", "O.CDCLIENTE",
                 {"NMFANTCLIE", "NRINSJURCLIE", "NMRAZSOCCLIE", "IDTPIJURCLIE"}),
         Catalog("CLIENTE", "CDCLIENTE", "O.CDCLICONTORC",
                 {"NRINSJURCLIE AS NRINSJURCONT", "IDTPIJURCLIE AS IDTPIJURCONT",
                  "NMFANTCLIE AS NMFANTCONT"}),
         Catalog("TIPOSERVEVEN", "CDTPSERVEVEN", "O.CDTPSERVEVEN", {"NMTPSERVEVEN"}),
         Catalog("TIPOEVENTO", "CDTIPOEVENTO", "O.CDTIPOEVENTO", {"NMTIPOEVENTO"}),
         Catalog("VENDEDOR", "CDVENDEDOR", "O.CDVENDEDOR", {"NMFANVEN", "NMRAZSOCVEN"}),
         Catalog("VENDEDOR", "CDVENDEDOR", "O.CDSUPVENDEDOR", {"NMFANVEN AS NMFANSUP"}),
         Catalog("VENDEDOR", "CDVENDEDOR", "O.CDGERVENDEDOR", {"NMFANVEN AS NMFANGER"}),
         Catalog("OPERADOR", "CDOPERADOR", "O.CDOPEINCOREV", {"NMOPERADOR"}),
         Catalog("PAIS", "CDPAIS", "O.CDPAIS", {"NMPAIS"}),
         {QStringLiteral("MUNICIPIO"),
          {"CDPAIS", "SGESTADO", "CDMUNICIPIO"},
          {"O.CDPAIS", "O.SGESTADO", "O.CDMUNICIPIO"},
          {"NMMUNICIPIO"},
          false},
         Catalog("ESCOLA", "CDESCOLA", "O.CDESCOLA", {"NMESCOLA"}),
         Catalog("CURSO", "CDCURSO", "O.CDCURSO", {"NMCURSO"}),
         Catalog("PRECOBASE", "CDPRECOBASE", "O.CDPRECOBASE", {"DSPRECOBASE"}),
         Catalog("PRECOBASE", "CDPRECOBASE", "O.CDPREBAMOBRA", {"DSPRECOBASE AS DSPREMAOOBRA"}),
         Catalog("MODPGTO", "CDMODPGTO", "O.CDMODPGTO", {"DSMODPGTO"}),
         Catalog("TIPORECEORCA", "CDTPRECEOREV", "O.CDTPRECEOREV", {"NMTPRECEOREV"})});
}

TCatalogSelect ItemOrcaEvenSql(const QString& where) {
    return CatalogSelect(QString::fromUtf8(kItemColumns), QString::fromUtf8(kItemFrom),
                         Sql(kItemRest, where),
                         {Catalog("PRODUTO", "CDPRODUTO", "I.CDPRODUTO",
                                  {"CDGRTOTAPROD", "CDARVPROD", "NMPRODUTO", "SGUNIDADE"}, true),
                          Catalog("FORNECEDOR", "CDFORNECEDOR", "I.CDFORNECEDOR",
                                  {"NRINSJURFORN", "NMFANTFORN", "NMRAZSOCFORN", "IDTPIJURFORN"})});
}

TCatalogSelect ItMaoObraSql(const QString& where) {
    return CatalogSelect(QString::fromUtf8(kMaoObraColumns), QString::fromUtf8(kMaoObraFrom),
                         Sql(kMaoObraRest, where),
                         {Catalog("PRODUTO", "CDPRODUTO", "M.CDPRODUTO",
                                  {"CDARVPROD", "SGUNIDADE", "NMPRODUTO", "CDGRTOTAPROD"}, true),
                          Catalog("TURNO", "NRTURNO", "M.NRTURNO", {"DSTURNO"}, true)});
}

// Here O is the booking, so that the key condition applies to it directly.
QString SalaoEvenSql() {
    return Sql(kSalaoEvenSql, KeyWhere("O"));
}

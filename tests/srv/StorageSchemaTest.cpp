// init-db, seed-demo and seed-scale on each engine: what they create, what
// they refuse, and the invariants of the data they load.

#include "tests/srv/StorageTestUtil.h"

#include "core/db/DbError.h"
#include "core/db/SqlStatement.h"
#include "core/db/SqlText.h"
#include "seed/ScaleSeed.h"
#include "storage/Commands.h"
#include "storage/Schema.h"

#include <QRegularExpression>

#include <gmock/gmock.h>

namespace {

QVariant Scalar(TDbConnection& db, const QString& sql, const TSqlParams& params = {}) {
    TSqlStatement st(db, sql);
    st.Exec(params);
    EXPECT_TRUE(st.Next()) << sql.toStdString();
    return st.Value(0);
}

int Count(TDbConnection& db, const QString& sql, const TSqlParams& params = {}) {
    return Scalar(db, sql, params).toInt();
}

int CreateTableCount(TDialect dialect) {
    int n = 0;
    for (const QString& s : SplitSqlScript(SchemaScript(dialect)))
        n += s.contains(QStringLiteral("CREATE TABLE")) ? 1 : 0;
    return n;
}

// Budgets of `branch` (all when empty) whose realised total is not their
// lines, halls, discount and addition.
const char* const kTotalsOff = R"(
    SELECT COUNT(*) FROM ORCAEVENTO O
     WHERE (:FILIAL = '' OR O.CDFILIAL = :FILIAL)
       AND ABS(O.VRTOTALOREV - (
             COALESCE((SELECT SUM(ROUND(I.QTITEMORCEVE * I.VRITEMORCEVE * 100) / 100.0
                                  - I.VRDESCITOREV + I.VRACREITOREV)
                         FROM ITEMORCAEVEN I
                        WHERE I.CDFILIAL = O.CDFILIAL AND I.NRORCAEVENTO = O.NRORCAEVENTO
                          AND I.NRSEQORCAEVE = O.NRSEQORCAEVE), 0)
           + COALESCE((SELECT SUM(ROUND(M.QTPRODMOBRA * M.VRCOBRMOBRA * 100) / 100.0)
                         FROM ITMAOOBRAORCA M
                        WHERE M.CDFILIAL = O.CDFILIAL AND M.NRORCAEVENTO = O.NRORCAEVENTO
                          AND M.NRSEQORCAEVE = O.NRSEQORCAEVE), 0)
           + COALESCE((SELECT SUM(S.VRSALAORCEVE) FROM SALAOORCA S
                        WHERE S.CDFILIAL = O.CDFILIAL AND S.NRORCAEVENTO = O.NRORCAEVENTO
                          AND S.NRSEQORCAEVE = O.NRSEQORCAEVE), 0)
           - O.VRDESCORCEVE + O.VRACREORCEVE)) > 0.005)";

const char* const kOrphanChildren = R"(
    SELECT COUNT(*) FROM ORCAEVENTO C
     WHERE C.NRSEQORCAEVE <> '00'
       AND NOT EXISTS (SELECT 1 FROM ORCAEVENTO P
                        WHERE P.CDFILIAL = C.CDFILIAL AND P.NRORCAEVENTO = C.NRORCAEVENTO
                          AND P.NRSEQORCAEVE = '00'))";

class StorageSchemaTest : public EngineTest {};

} // namespace

TEST_P(StorageSchemaTest, InitDbCreatesEveryTableOnceAndNeverAgain) {
    ASSERT_EQ(RunInitDb(UrlString()), 0);
    TDbConnection db(Url());
    const QString tables =
        Dialect() == TDialect::SQLite
            ? QStringLiteral("SELECT COUNT(*) FROM sqlite_master WHERE type = 'table'")
            : QStringLiteral("SELECT COUNT(*) FROM information_schema.tables "
                             "WHERE table_schema = current_schema()");
    EXPECT_EQ(Count(db, tables), CreateTableCount(Dialect()));

    ExecSql(db, QStringLiteral("INSERT INTO PAIS (CDPAIS, NMPAIS) VALUES ('1058', 'Brasil')"));
    EXPECT_EQ(RunInitDb(UrlString()), 1);
    EXPECT_EQ(Count(db, QStringLiteral("SELECT COUNT(*) FROM PAIS")), 1);
    EXPECT_EQ(Count(db, tables), CreateTableCount(Dialect()));
}

TEST_P(StorageSchemaTest, BothEnginesRefuseTheSameBadRows) {
    ASSERT_EQ(RunInitDb(UrlString()), 0);
    TDbConnection db(Url());
    ExecSql(db,
            QStringLiteral("INSERT INTO FILIAL (CDFILIAL, NMFILIAL) VALUES ('0001', 'Matriz')"));
    const QString budget = QStringLiteral(
        "INSERT INTO ORCAEVENTO (CDFILIAL, NRORCAEVENTO, NRSEQORCAEVE, IDSITCLIOREV, CDCLIENTE, "
        "NMCLIEORCEVE, IDSITUORCEVE) VALUES (:F, :N, :S, :K, :C, :NOME, :SIT)");
    const TSqlParams good = {{QStringLiteral("F"), QStringLiteral("0001")},
                             {QStringLiteral("N"), QStringLiteral("0000000001")},
                             {QStringLiteral("S"), QStringLiteral("00")},
                             {QStringLiteral("K"), QStringLiteral("N")},
                             {QStringLiteral("C"), QVariant()},
                             {QStringLiteral("NOME"), QStringLiteral("Cliente Novo")},
                             {QStringLiteral("SIT"), QStringLiteral("2")}};
    auto with = [&](const QString& name, const QVariant& value) {
        TSqlParams p = good;
        for (auto& [n, v] : p)
            if (n == name)
                v = value;
        return p;
    };
    const std::vector<std::pair<const char*, TSqlParams>> bad = {
        {"a number not padded to 10 (ranges compare text)", with("N", QStringLiteral("1"))},
        {"an unknown branch", with("F", QStringLiteral("0009"))},
        {"a situation outside 1 to 8", with("SIT", QStringLiteral("9"))},
        {"a registered customer without code", with("K", QStringLiteral("C"))},
        {"a new customer name over 50 characters", with("NOME", QString(51, u'x'))},
    };
    for (const auto& [why, params] : bad)
        EXPECT_THROW(ExecSql(db, budget, params), EDbError) << why;
    EXPECT_EQ(Count(db, QStringLiteral("SELECT COUNT(*) FROM ORCAEVENTO")), 0);
    EXPECT_NO_THROW(ExecSql(db, budget, good));
}

TEST_P(StorageSchemaTest, SeedDemoLoadsOnceOntoAnEmptyDatabase) {
    ASSERT_EQ(RunSeedDemo(UrlString()), 0); // creates the schema first
    TDbConnection db(Url());
    const int budgets = Count(db, QStringLiteral("SELECT COUNT(*) FROM ORCAEVENTO"));
    EXPECT_GT(budgets, 30);
    EXPECT_EQ(RunSeedDemo(UrlString()), 1);
    EXPECT_EQ(Count(db, QStringLiteral("SELECT COUNT(*) FROM ORCAEVENTO")), budgets);
    // The scale branch goes beside the demo and shares its catalogues.
    EXPECT_EQ(RunSeedScale(UrlString(), 3), 0);
    EXPECT_EQ(Count(db, QStringLiteral("SELECT COUNT(*) FROM ORCAEVENTO")), budgets + 3);
}

TEST_P(StorageSchemaTest, DemoBudgetsHoldTogether) {
    ASSERT_EQ(RunSeedDemo(UrlString()), 0);
    TDbConnection db(Url());
    const TSqlParams all = {{QStringLiteral("FILIAL"), QString()}};

    EXPECT_GT(
        Count(db, QStringLiteral("SELECT COUNT(*) FROM ORCAEVENTO WHERE NRSEQORCAEVE <> '00'")), 3);
    EXPECT_EQ(Count(db, QString::fromLatin1(kOrphanChildren)), 0);
    EXPECT_EQ(Count(db, QString::fromLatin1(kTotalsOff), all), 0);

    // Every situation the list can show is there, and some budgets are below zero.
    for (const char* situation : {"1", "2", "3", "4", "7", "8"})
        EXPECT_GT(Count(db,
                        QStringLiteral("SELECT COUNT(*) FROM ORCAEVENTO WHERE IDSITUORCEVE = :S"),
                        {{QStringLiteral("S"), QString::fromLatin1(situation)}}),
                  0)
            << situation;
    EXPECT_GT(Count(db, QStringLiteral("SELECT COUNT(*) FROM ORCAEVENTO WHERE VRTOTALOREV < 0")),
              0);

    // Closed budgets, and only they, were closed once, with orders.
    EXPECT_EQ(
        Count(db, QStringLiteral(
                      "SELECT COUNT(*) FROM ORCAEVENTO O WHERE (O.IDSITUORCEVE = '3') <> "
                      "EXISTS (SELECT 1 FROM FECHAORCA F WHERE F.CDFILIAL = O.CDFILIAL AND "
                      "F.NRORCAEVENTO = O.NRORCAEVENTO AND F.NRSEQORCAEVE = O.NRSEQORCAEVE)")),
        0);
    EXPECT_EQ(
        Count(db, QStringLiteral(
                      "SELECT COUNT(*) FROM ORCAEVENTO O WHERE O.IDSITUORCEVE = '3' AND NOT "
                      "EXISTS (SELECT 1 FROM PEDIDO P WHERE P.CDFILIORCA = O.CDFILIAL AND "
                      "P.NRORCAEVENTO = O.NRORCAEVENTO AND P.NRSEQORCAEVE = O.NRSEQORCAEVE)")),
        0);

    // The next number of every series is free.
    const std::pair<const char*, const char*> series[] = {
        {"PED", "SELECT MAX(CAST(NRPEDIDO AS INTEGER)) FROM PEDIDO WHERE CDFILIAL = :F"},
        {"CREC", "SELECT MAX(CAST(NRCONTAREC AS INTEGER)) FROM CONTAREC WHERE CDFILIAL = :F"},
        {"CPAG", "SELECT MAX(CAST(NRCONTAPAG AS INTEGER)) FROM CONTAPAG WHERE CDFILIAL = :F"}};
    TSqlStatement numbers(db,
                          QStringLiteral("SELECT CDFILIAL, IDNUMERADOR, NRULTIMO FROM NUMERADOR"));
    numbers.Exec();
    int checked = 0;
    while (numbers.Next())
        for (const auto& [kind, sql] : series)
            if (numbers.Value(1).toString() == QLatin1String(kind)) {
                TDbConnection other(Url());
                const int used = Scalar(other, QString::fromLatin1(sql),
                                        {{QStringLiteral("F"), numbers.Value(0)}})
                                     .toInt();
                EXPECT_LE(used, numbers.Value(2).toInt())
                    << kind << " " << numbers.Value(0).toString().toStdString();
                ++checked;
            }
    EXPECT_GT(checked, 0);
}

TEST_P(StorageSchemaTest, DemoCataloguesAgreeWithEachOther) {
    ASSERT_EQ(RunSeedDemo(UrlString()), 0);
    TDbConnection db(Url());

    // Budget items and labour are sellable products offered by the budget's branch.
    EXPECT_EQ(Count(db, QStringLiteral(
                            "SELECT COUNT(*) FROM ITEMORCAEVEN I JOIN PRODUTO P ON P.CDPRODUTO = "
                            "I.CDPRODUTO WHERE P.CDNVPRODUTO <> (SELECT MAX(NRNIVEL) FROM "
                            "PICTURENIVEL WHERE IDTPPICTURE = 0) OR NOT EXISTS (SELECT 1 FROM "
                            "PRODFILIAL F WHERE F.CDFILIAL = I.CDFILIAL AND F.CDPRODUTO = "
                            "I.CDPRODUTO)")),
              0);
    EXPECT_EQ(Count(db, QStringLiteral("SELECT COUNT(*) FROM ITMAOOBRAORCA M JOIN PRODUTO P ON "
                                       "P.CDPRODUTO = M.CDPRODUTO WHERE P.IDMOBRAPROD <> 'S'")),
              0);

    // A product's tree code has the digits of the picture's levels down to its own.
    EXPECT_EQ(Count(db, QStringLiteral(
                            "SELECT COUNT(*) FROM PRODUTO P WHERE LENGTH(P.CDARVPROD) <> (SELECT "
                            "SUM(N.QTDIGITOS) FROM PICTURENIVEL N WHERE N.IDTPPICTURE = 0 AND "
                            "N.NRNIVEL <= P.CDNVPRODUTO)")),
              0);
    const QString mask = Scalar(db, QStringLiteral("SELECT DSMASCARA FROM PICTURE WHERE "
                                                   "IDTPPICTURE = 0"))
                             .toString();
    QStringList groups;
    TSqlStatement levels(db, QStringLiteral("SELECT QTDIGITOS FROM PICTURENIVEL WHERE "
                                            "IDTPPICTURE = 0 ORDER BY NRNIVEL"));
    levels.Exec();
    while (levels.Next())
        groups << QString(levels.Value(0).toInt(), u'0');
    EXPECT_EQ(mask.section(u';', 0, 0), groups.join(u'.'));

    // Managers are managers, supervisors supervisors, and budgets carry their seller's.
    EXPECT_EQ(Count(db, QStringLiteral(
                            "SELECT COUNT(*) FROM VENDEDOR V LEFT JOIN VENDEDOR G ON G.CDVENDEDOR "
                            "= V.CDGERVENDEDOR LEFT JOIN VENDEDOR S ON S.CDVENDEDOR = "
                            "V.CDSUPVENDEDOR WHERE (V.CDGERVENDEDOR IS NOT NULL AND "
                            "G.IDTPVENDEDOR <> 'G') OR (V.CDSUPVENDEDOR IS NOT NULL AND "
                            "S.IDTPVENDEDOR <> 'S')")),
              0);
    EXPECT_EQ(Count(db, QStringLiteral(
                            "SELECT COUNT(*) FROM ORCAEVENTO O JOIN VENDEDOR V ON V.CDVENDEDOR = "
                            "O.CDVENDEDOR WHERE COALESCE(O.CDGERVENDEDOR, '') <> "
                            "COALESCE(V.CDGERVENDEDOR, '') OR COALESCE(O.CDSUPVENDEDOR, '') <> "
                            "COALESCE(V.CDSUPVENDEDOR, '')")),
              0);

    // Observations are whole RTF documents.
    TSqlStatement obs(db, QStringLiteral("SELECT TXOBSEXTOREV FROM OBSEXTORCAEV UNION ALL "
                                         "SELECT TXOBSINTOREV FROM OBSINTORCAEV"));
    obs.Exec();
    int documents = 0;
    while (obs.Next()) {
        const QByteArray rtf = obs.Value(0).toByteArray();
        EXPECT_TRUE(rtf.startsWith("{\\rtf1")) << rtf.left(40).constData();
        int depth = 0;
        for (qsizetype i = 0; i < rtf.size(); ++i) {
            if (rtf[i] == '\\')
                ++i; // escaped brace or control word
            else if (rtf[i] == '{')
                ++depth;
            else if (rtf[i] == '}')
                --depth;
            ASSERT_GE(depth, 0) << rtf.constData();
        }
        EXPECT_EQ(depth, 0) << rtf.constData();
        ++documents;
    }
    EXPECT_GT(documents, 30);
}

TEST_P(StorageSchemaTest, SeedScaleBuildsTheBranchItIsAskedFor) {
    ASSERT_EQ(RunSeedScale(UrlString(), 25), 0);
    TDbConnection db(Url());
    const TSqlParams branch = {{QStringLiteral("FILIAL"), QString::fromLatin1(kScaleBranch)}};
    EXPECT_EQ(Count(db, QStringLiteral("SELECT COUNT(*) FROM ORCAEVENTO WHERE CDFILIAL = :FILIAL"),
                    branch),
              25);
    EXPECT_EQ(
        Count(db, QStringLiteral("SELECT COUNT(*) FROM ORCAEVENTO WHERE NRSEQORCAEVE = '01'")), 2);
    EXPECT_EQ(Count(db, QString::fromLatin1(kOrphanChildren)), 0);
    EXPECT_EQ(Count(db, QString::fromLatin1(kTotalsOff), branch), 0);
    // Twenty items and three labour lines each.
    EXPECT_EQ(Count(db, QStringLiteral(
                            "SELECT COUNT(*) FROM ORCAEVENTO O WHERE (SELECT COUNT(*) FROM "
                            "ITEMORCAEVEN I WHERE I.CDFILIAL = O.CDFILIAL AND I.NRORCAEVENTO = "
                            "O.NRORCAEVENTO AND I.NRSEQORCAEVE = O.NRSEQORCAEVE) <> 20 OR (SELECT "
                            "COUNT(*) FROM ITMAOOBRAORCA M WHERE M.CDFILIAL = O.CDFILIAL AND "
                            "M.NRORCAEVENTO = O.NRORCAEVENTO AND M.NRSEQORCAEVE = "
                            "O.NRSEQORCAEVE) <> 3")),
              0);
    // PostgreSQL plans the lists by statistics that count the loaded items.
    if (Dialect() == TDialect::PostgreSQL) {
        EXPECT_EQ(Count(db, QStringLiteral("SELECT CAST(reltuples AS INTEGER) FROM pg_class "
                                           "WHERE relname = 'itemorcaeven'")),
                  Count(db, QStringLiteral("SELECT COUNT(*) FROM ITEMORCAEVEN")));
    }

    EXPECT_EQ(RunSeedScale(UrlString(), 25), 1);
    EXPECT_EQ(RunSeedScale(UrlString(), 0), 2);
    EXPECT_EQ(Count(db, QStringLiteral("SELECT COUNT(*) FROM ORCAEVENTO")), 25);
}

ORE_INSTANTIATE_ENGINES(StorageSchemaTest);

TEST(StorageCommandsTest, BadUrlsAreUsageErrors) {
    EXPECT_EQ(RunInitDb(QStringLiteral("mysql://h/db")), 2);
    EXPECT_EQ(RunSeedDemo(QString()), 2);
    EXPECT_EQ(RunSeedScale(QStringLiteral("postgresql://h"), 10), 2);
}

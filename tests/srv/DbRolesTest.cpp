// The PostgreSQL roles that init-db creates: the host's role runs every
// statement the host sends straight to the database and nothing more; the
// server's role runs a closing.

#include "tests/srv/ClosingTestUtil.h"

#include "core/db/DbError.h"
#include "core/db/SqlStatement.h"
#include "framework/db/AdoIbQuery.h"
#include "framework/db/OptionSetStore.h"
#include "framework/db/SharedDatabase.h"
#include "framework/services/Pictures.h"
#include "framework/services/ProductSearch.h"
#include "ore/ore00105/EndeClieSql.h"
#include "ore/ore00800/model/FechaOrcaQueries.h"
#include "ore/ore00800/model/FiltroQueries.h"
#include "ore/ore09000/Contratante_Sql.h"

#include <thread>

namespace {

const QString kDenied = QStringLiteral("42501"); // insufficient_privilege

DbUrl As(DbUrl url, const QString& role) {
    url.user = role;
    url.password.clear(); // the test cluster trusts its local connections
    return url;
}

// A demo database made by init-db, PostgreSQL only.
class DbRolesTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (TestPgUrl().isEmpty())
            GTEST_SKIP() << "ORE_TEST_PG_URL is not set: no PostgreSQL server to test on";
        m_db = std::make_unique<TScratchDb>(TDialect::PostgreSQL);
        ASSERT_EQ(RunInitDb(m_db->UrlString()), 0);
        ASSERT_EQ(RunSeedDemo(m_db->UrlString()), 0);
    }
    void TearDown() override {
        SetSharedDatabase(nullptr);
        ResetPictureCache();
        CloseThreadDatabases();
        m_db.reset();
    }

    DbUrl Url(const char* role) const { return As(m_db->Url(), QString::fromLatin1(role)); }

    std::unique_ptr<TScratchDb> m_db;
};

// Runs `sql` with every placeholder bound to `value`; returns its row count.
int RunWithAll(TDbConnection& db, const QString& sql, const QString& value = "0001") {
    TSqlStatement st(db, sql);
    for (const QString& name : st.Placeholders())
        st.Bind(name, value);
    st.Exec();
    int rows = 0;
    while (st.Next())
        ++rows;
    return rows;
}

// The engine's error code for `sql`, or empty when it ran.
QString Refusal(TDbConnection& db, const QString& sql) {
    try {
        if (sql.startsWith(u"CREATE")) // DDL does not prepare
            db.ExecRaw(sql);
        else
            RunWithAll(db, sql);
    } catch (const EDbError& e) {
        return e.NativeCode();
    }
    return {};
}

} // namespace

TEST_F(DbRolesTest, TheHostRoleRunsTheHostsDirectQueriesAndKeepsOptionSets) {
    TDbConnection host(Url("ore_host"));
    SetSharedDatabase(&host);

    // The closing screen's and its filter's declared queries, each of them.
    QObject owner;
    TFechaOrcaQueries main(&owner);
    TFiltroQueries filter(&owner);
    const auto queries = owner.findChildren<TADOIBQuery*>();
    ASSERT_GE(queries.size(), 10);
    for (TADOIBQuery* q : queries) {
        for (int i = 0; i < q->Params().Count(); ++i)
            q->Params().Items(i).SetAsString(QStringLiteral("0001"));
        EXPECT_NO_THROW(q->Open()) << q->objectName().toStdString();
    }
    EXPECT_EQ(main.qryFilial->RecordCount(), 8);

    // The neighbour screens' lookups.
    for (const QString& sql : ContratanteSql::All() + EndeClieSql::All())
        EXPECT_NO_THROW(RunWithAll(host, sql)) << sql.toStdString();
    EXPECT_EQ(RunWithAll(host, EndeClieSql::Paises().join(u'\n')), 1);

    // The framework's masks and product search.
    EXPECT_GT(DBPictObj(0).GetTtNiveis(), 0);
    TADOIBQuery products(
        {StrField("CDPRODUTO", 10), StrField("CDARVPROD", 20), StrField("NMPRODUTO", 50)});
    EXPECT_EQ(SQL_Pesquisa_Produto(QStringLiteral("0001"), QStringLiteral("a"), &products, true),
              QString());
    products.ParamByName(QStringLiteral("P_CDFILIAL")).SetAsString(QStringLiteral("0001"));
    products.ParamByName(QStringLiteral("P_CDNVPRODUTO")).SetAsInteger(DBPictObj(0).GetTtNiveis());
    products.Open();
    EXPECT_GT(products.RecordCount(), 0);

    // Option sets: saved, listed, loaded, replaced and deleted.
    TOptionSetStore sets(QStringLiteral("ORE00800"), QStringLiteral("MARIA"), &host);
    sets.Save(QStringLiteral("Semana"), {{QStringLiteral("edtFilial=0001")}, {}});
    sets.Save(QStringLiteral("Semana"), {{QStringLiteral("edtFilial=0002")}, {}});
    EXPECT_EQ(sets.Names(), QStringList{QStringLiteral("Semana")});
    EXPECT_EQ(sets.Load(QStringLiteral("Semana")).controls,
              QStringList{QStringLiteral("edtFilial=0002")});
    sets.Delete(QStringLiteral("Semana"));
    EXPECT_FALSE(sets.Exists(QStringLiteral("Semana")));
}

TEST_F(DbRolesTest, TheHostRoleCannotWriteBudgetsNorReadWhatItDoesNotNeed) {
    const char* const kBudget = "WHERE CDFILIAL = '0001' AND NRORCAEVENTO = '0000001001'";
    const QStringList statements = {
        QStringLiteral("UPDATE ORCAEVENTO SET IDSITUORCEVE = '3' ") + kBudget,
        QStringLiteral("DELETE FROM ORCAEVENTO ") + kBudget,
        QStringLiteral("INSERT INTO ORCAEVENTO (CDFILIAL, NRORCAEVENTO, NRSEQORCAEVE) "
                       "SELECT CDFILIAL, '0000009999', NRSEQORCAEVE FROM ORCAEVENTO ") +
            kBudget,
        QStringLiteral("UPDATE FECHAORCA SET CDOPERADOR = 'JOAO'"),
        QStringLiteral("UPDATE CLIENTE SET NMFANTCLIE = 'x'"),
        QStringLiteral("SELECT VRTOTALOREV FROM ORCAEVENTO ") + kBudget,
        QStringLiteral("SELECT * FROM OPERADOR"),
        QStringLiteral("SELECT * FROM CONTAREC"),
        QStringLiteral("SELECT * FROM NUMERADOR"),
        QStringLiteral("CREATE TABLE ORE_EXTRA (A INTEGER)"),
    };
    TDbConnection host(Url("ore_host"));
    // The server may run them (a constraint may still refuse a row), so a
    // refusal is about the role and not about the statement.
    TDbConnection server(Url("ore_server"));
    for (const QString& sql : statements) {
        EXPECT_EQ(Refusal(host, sql), kDenied) << sql.toStdString();
        if (!sql.startsWith(u"CREATE")) {
            TTransaction undo(server);
            EXPECT_NE(Refusal(server, sql), kDenied) << sql.toStdString();
        }
    }
    EXPECT_EQ(Refusal(server, QStringLiteral("CREATE TABLE ORE_EXTRA (A INTEGER)")), kDenied);
}

TEST_F(DbRolesTest, TheServerRoleClosesABudget) {
    TRemoteModuleRegistry registry;
    RegisterModules(registry, UrlText(Url("ore_server")));
    TCallContext context;
    const TServerReply reply = registry.Dispatch(
        context,
        {QStringLiteral("ORE00800.rdmFechaOrca"),
         QStringLiteral("FecharOrca"),
         {QVariant::fromValue(ListPacket("0001", 1001)), QStringLiteral("MARIA"), QVariant()}});
    ASSERT_TRUE(reply.ok) << reply.message.toStdString();
    TDbConnection owner(m_db->Url());
    EXPECT_EQ(RunWithAll(owner, QStringLiteral("SELECT 1 FROM FECHAORCA WHERE NRORCAEVENTO = "
                                               "'0000001001' AND CDOPERADOR = 'MARIA'")),
              1);
}

// Roles are the cluster's: init-db on several databases at once must not
// trip over the same new role, and a prefix names another set of roles.
TEST(DbRolesPrefixTest, InitDbOnSeveralDatabasesAtOnceSharesTheRoles) {
    if (TestPgUrl().isEmpty())
        GTEST_SKIP() << "ORE_TEST_PG_URL is not set: no PostgreSQL server to test on";
    EXPECT_EQ(RunInitDb(TestPgUrl(), QStringLiteral("Ore-x")), 2);
    const QString prefix = QStringLiteral("ore_t%1").arg(QCoreApplication::applicationPid());
    {
        std::vector<std::unique_ptr<TScratchDb>> dbs;
        for (int i = 0; i < 3; ++i)
            dbs.push_back(std::make_unique<TScratchDb>(TDialect::PostgreSQL));
        std::vector<int> codes(dbs.size(), -1);
        std::vector<std::thread> runs;
        for (size_t i = 0; i < dbs.size(); ++i)
            runs.emplace_back([&, i] {
                codes[i] = RunInitDb(dbs[i]->UrlString(), prefix);
                CloseThreadDatabases();
            });
        for (auto& t : runs)
            t.join();
        for (size_t i = 0; i < dbs.size(); ++i) {
            EXPECT_EQ(codes[i], 0) << i;
            TDbConnection host(As(dbs[i]->Url(), prefix + QStringLiteral("_host")));
            EXPECT_EQ(RunWithAll(host, QStringLiteral("SELECT * FROM FILIAL")), 0);
            EXPECT_EQ(Refusal(host, QStringLiteral("SELECT * FROM OPERADOR")), kDenied);
        }
    }
    TDbConnection admin(TestPgUrl());
    for (const char* role : {"_host", "_server", "_owner"})
        admin.ExecRaw(QStringLiteral("DROP ROLE %1%2").arg(prefix, QLatin1String(role)));
}

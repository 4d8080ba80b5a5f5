// The read-only query component on each engine: which statement it runs,
// parameters by name, opening, and what it refuses.

#include "tests/srv/StorageTestUtil.h"

#include "core/db/DbError.h"
#include "core/db/SqlStatement.h"
#include "framework/db/AdoIbQuery.h"
#include "framework/db/SharedDatabase.h"

#include <gmock/gmock.h>

using ::testing::HasSubstr;

namespace {

class QueryComponentTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        if (IsSkipped())
            return;
        m_conn = std::make_unique<TDbConnection>(Url());
        m_conn->ExecRaw(QStringLiteral("CREATE TABLE ITEM (CODE VARCHAR(4), NAME VARCHAR(20), "
                                       "QTY INTEGER)"));
        for (const auto& [code, name, qty] :
             {std::tuple{"A1", "Cadeira", 10}, std::tuple{"B2", "Mesa", 4},
              std::tuple{"C3", "Toalha", 25}})
            ExecSql(*m_conn, QStringLiteral("INSERT INTO ITEM VALUES (:C, :N, :Q)"),
                    {{"C", code}, {"N", name}, {"Q", qty}});
        m_query.setObjectName(QStringLiteral("qryItem"));
        m_query.SetConnection(m_conn.get());
    }
    void TearDown() override {
        m_query.Close();
        m_conn.reset();
        EngineTest::TearDown();
    }

    std::unique_ptr<TDbConnection> m_conn;
    TADOIBQuery m_query{{StrField("CODE", 4), StrField("NAME", 20), IntField("QTY")}};
};

std::string OpenError(TADOIBQuery& q) {
    try {
        q.Open();
    } catch (const EDbError& e) {
        return e.Message().toStdString();
    }
    return "opened";
}

} // namespace

TEST(QueryComponent, RunsTheAnsiJoinStatementOfItsDialectFamily) {
    TADOIBQuery q;
    q.SQL = QStringList{"SELECT generic"};
    EXPECT_EQ(q.ActiveSql(), QStringList{"SELECT generic"});
    q.SQL_ORACLE = QStringList{"SELECT outer marks (+)"};
    EXPECT_EQ(q.ActiveSql(), QStringList{"SELECT generic"});
    q.SQL_MSSQL = QStringList{"SELECT mssql"};
    EXPECT_EQ(q.ActiveSql(), QStringList{"SELECT mssql"});
    q.SQL_IB = QStringList{"SELECT ib"};
    EXPECT_EQ(q.ActiveSql(), QStringList{"SELECT ib"});
    q.SQL_IB = QStringList{"", " "}; // blank lines are no statement
    EXPECT_EQ(q.ActiveSql(), QStringList{"SELECT mssql"});
}

TEST(QueryComponent, ParametersFollowTheStatementAndKeepTheirValues) {
    TADOIBQuery q;
    q.SQL = QStringList{"SELECT * FROM T", "WHERE A = :P_A AND B = :p_b AND C = ':NOT'"};
    ASSERT_EQ(q.Params().Count(), 2);
    EXPECT_TRUE(ExistParam(q.Params(), QStringLiteral("P_B")));
    EXPECT_FALSE(ExistParam(q.Params(), QStringLiteral("NOT")));
    q.ParamByName(QStringLiteral(":P_A")).SetAsString(QStringLiteral("x"));

    q.SQL = QStringList{"SELECT * FROM T WHERE A = :P_A OR D = :P_D"};
    EXPECT_EQ(q.ParamByName(QStringLiteral("P_A")).Value(), QVariant(QStringLiteral("x")));
    EXPECT_FALSE(q.ParamByName(QStringLiteral("P_D")).HasValue());
    EXPECT_FALSE(ExistParam(q.Params(), QStringLiteral("P_B")));
    try {
        q.ParamByName(QStringLiteral("P_CDFILIAL"));
        FAIL() << "an unknown parameter was found";
    } catch (const EDbError& e) {
        EXPECT_THAT(e.Message().toStdString(), HasSubstr("P_CDFILIAL"));
    }
}

TEST_P(QueryComponentTest, OpensOnceWithItsParametersAndRereadsOnlyAfterClosing) {
    m_query.SQL = QStringList{"SELECT CODE, NAME, QTY", "FROM ITEM",
                              "WHERE QTY >= :P_MIN AND NAME <> :P_NOT", "ORDER BY CODE"};
    int opens = 0;
    m_query.BeforeOpen = [&](TDataSet&) {
        ++opens;
        m_query.ParamByName(QStringLiteral("P_MIN")).SetAsInteger(5);
        m_query.ParamByName(QStringLiteral("P_NOT"))
            .SetAsString(QStringLiteral("x'; DROP TABLE ITEM; --"));
    };
    m_query.Open();
    ASSERT_EQ(m_query.RecordCount(), 2);
    EXPECT_EQ(m_query.FieldByName(QStringLiteral("code")).AsString(), QStringLiteral("A1"));
    EXPECT_EQ(m_query.FieldByName(QStringLiteral("QTY")).AsInteger(), 10);

    ExecSql(*m_conn, QStringLiteral("INSERT INTO ITEM VALUES ('D4', 'Copo', 300)"));
    m_query.Open(); // already open: the rows stay as read
    EXPECT_EQ(m_query.RecordCount(), 2);
    EXPECT_EQ(opens, 1);
    m_query.Close();
    m_query.Open();
    EXPECT_EQ(m_query.RecordCount(), 3);
    EXPECT_EQ(opens, 2);
}

TEST_P(QueryComponentTest, RefusesClearlyAndStaysClosed) {
    m_query.SQL = QStringList{"SELECT CODE, NAME, QTY FROM ITEM WHERE CODE = :P_CODE"};
    EXPECT_THAT(OpenError(m_query), HasSubstr("P_CODE"));
    EXPECT_FALSE(m_query.Active());

    m_query.SQL = QStringList{"SELECT CODE, NAME, QTY FROM NO_SUCH_TABLE"};
    EXPECT_THAT(OpenError(m_query), HasSubstr("qryItem"));
    EXPECT_FALSE(m_query.Active());

    m_query.SQL = QStringList{"SELECT CODE, NAME FROM ITEM"}; // a declared field is missing
    EXPECT_THAT(OpenError(m_query), HasSubstr("QTY"));
    EXPECT_FALSE(m_query.Active());

    m_query.SetConnection(nullptr);
    ASSERT_EQ(SharedDatabase(), nullptr);
    EXPECT_THAT(OpenError(m_query), HasSubstr("conexão"));
    SetSharedDatabase(m_conn.get()); // the session's connection serves queries without one
    m_query.SQL = QStringList{"SELECT CODE, NAME, QTY FROM ITEM"};
    EXPECT_EQ(OpenError(m_query), "opened");
    SetSharedDatabase(nullptr);
}

TEST_P(QueryComponentTest, RowsCannotBeChanged) {
    m_query.SQL = QStringList{"SELECT CODE, NAME, QTY FROM ITEM ORDER BY CODE"};
    m_query.Open();
    EXPECT_THROW(m_query.Edit(), EDatabaseError);
    EXPECT_THROW(m_query.Append(), EDatabaseError);
    EXPECT_THROW(m_query.Insert(), EDatabaseError);
    EXPECT_THROW(m_query.Delete(), EDatabaseError);
    EXPECT_THROW(m_query.FieldByName(QStringLiteral("NAME")).SetAsString(QStringLiteral("x")),
                 EDatabaseError);
    EXPECT_EQ(m_query.RecordCount(), 3);
    EXPECT_EQ(m_query.FieldByName(QStringLiteral("NAME")).AsString(), QStringLiteral("Cadeira"));
}

ORE_INSTANTIATE_ENGINES(QueryComponentTest);

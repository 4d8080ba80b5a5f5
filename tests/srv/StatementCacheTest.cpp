// A connection keeps its statements prepared between uses: each use must
// still see its own parameters, rows and the latest committed data, and a
// change of schema must not leave a statement that no longer fits.

#include "tests/srv/RowsAsText.h"
#include "tests/srv/StorageTestUtil.h"

#include "core/db/SqlStatement.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

class StatementCacheTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        if (IsSkipped())
            return;
        TDbConnection& db = OpenDatabase(Url());
        db.ExecRaw(QStringLiteral("CREATE TABLE AMOSTRA (K INTEGER PRIMARY KEY, V VARCHAR(10))"));
        for (const auto& [k, v] : {std::pair{1, "a"}, {2, "b"}, {3, "c"}})
            ExecSql(db, QStringLiteral("INSERT INTO AMOSTRA (K, V) VALUES (:K, :V)"),
                    {{"K", k}, {"V", QString::fromLatin1(v)}});
    }

    // The V of every row from K on, read through Qt SQL (`direct` false) or
    // the way the server reads packets.
    QStringList From(int k, bool direct) {
        TDbConnection& db = OpenDatabase(Url());
        if (direct) {
            TRecordSet rs({StrField(QStringLiteral("V"), 10)});
            rs.SetData(SelectPacket(db, kFrom, {{"K", k}}, rs.FieldDefs()));
            QStringList values;
            for (const TTextRow& row : Rows(rs))
                values << row.at(QStringLiteral("V"));
            return values;
        }
        TSqlStatement st(db, kFrom);
        st.Exec({{"K", k}});
        QStringList values;
        while (st.Next())
            values << st.Value(0).toString();
        return values;
    }

    // Another connection, on another thread, changes a row and commits.
    void ChangeElsewhere(int k, const QString& v) {
        std::thread([&] {
            ExecSql(OpenDatabase(Url()), QStringLiteral("UPDATE AMOSTRA SET V = :V WHERE K = :K"),
                    {{"V", v}, {"K", k}});
            CloseThreadDatabases();
        }).join();
    }

    const QString kFrom = QStringLiteral("SELECT V FROM AMOSTRA WHERE K >= :K ORDER BY K");
};

} // namespace

TEST_P(StatementCacheTest, EachUseHasItsOwnRowsAndSeesWhatOthersCommitted) {
    // A first use that stops reading early must not leave the connection
    // on the snapshot it read.
    TDbConnection& db = OpenDatabase(Url());
    {
        TSqlStatement partly(db, kFrom);
        partly.Exec({{"K", 1}});
        ASSERT_TRUE(partly.Next());
    }
    ChangeElsewhere(1, QStringLiteral("x"));
    {
        TSqlStatement other(db, QStringLiteral("SELECT V FROM AMOSTRA WHERE K = :K"));
        other.Exec({{"K", 1}});
        ASSERT_TRUE(other.Next());
        EXPECT_EQ(other.Value(0).toString(), QStringLiteral("x"));
    }
    ChangeElsewhere(1, QStringLiteral("a"));

    QString third = QStringLiteral("c");
    for (const bool direct : {false, true}) {
        SCOPED_TRACE(direct ? "read straight into a packet" : "read through Qt SQL");
        EXPECT_EQ(From(1, direct), QStringList({"a", "b", third}));
        EXPECT_EQ(From(3, direct), QStringList({third}));
        // A kept statement must not hold the snapshot of its last read.
        third = direct ? QStringLiteral("z") : QStringLiteral("y");
        ChangeElsewhere(3, third);
        EXPECT_EQ(From(2, direct), QStringList({"b", third}));
    }

    // The same text used again while a first use is still reading (Qt's
    // PostgreSQL driver streams a forward-only result and reads no other
    // statement meanwhile, kept or not).
    if (Dialect() != TDialect::SQLite)
        return;
    TSqlStatement outer(db, kFrom);
    outer.Exec({{"K", 1}});
    ASSERT_TRUE(outer.Next());
    EXPECT_EQ(From(3, false), QStringList({"z"}));
    QStringList rest{outer.Value(0).toString()};
    while (outer.Next())
        rest << outer.Value(0).toString();
    EXPECT_EQ(rest, QStringList({"a", "b", "z"}));
}

TEST_P(StatementCacheTest, MoreStatementsThanAreKeptAndAChangedTableStillRead) {
    TDbConnection& db = OpenDatabase(Url());
    const QString all = QStringLiteral("SELECT * FROM AMOSTRA WHERE K = :K");
    const auto columns = [&] {
        TSqlStatement st(db, all);
        st.Exec({{"K", 1}});
        EXPECT_TRUE(st.Next());
        return st.ColumnIndex(QStringLiteral("W"));
    };
    EXPECT_LT(columns(), 0);
    // PostgreSQL refuses to run a statement prepared before its result's
    // columns changed.
    db.ExecRaw(QStringLiteral("ALTER TABLE AMOSTRA ADD COLUMN W VARCHAR(5)"));
    EXPECT_GE(columns(), 0);
    // Enough distinct statements to push the first ones out.
    for (int i = 0; i < 100; ++i) {
        TSqlStatement st(db,
                         QStringLiteral("SELECT V FROM AMOSTRA WHERE K = :K AND %1 = %1").arg(i));
        st.Exec({{"K", 1 + i % 3}});
        ASSERT_TRUE(st.Next());
        EXPECT_EQ(st.Value(0).toString(), QString(QChar(u'a' + i % 3)));
    }
    EXPECT_EQ(From(2, false), QStringList({"b", "c"}));
}

ORE_INSTANTIATE_ENGINES(StatementCacheTest);

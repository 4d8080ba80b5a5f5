// SelectPacket reads SQLite results straight from the engine: every value,
// parameter and fault must come out as reading through Qt SQL gives it.

#include "tests/srv/StorageTestUtil.h"

#include "core/db/CatalogSelect.h"
#include "core/db/DbError.h"
#include "core/db/SqlStatement.h"

#include <gtest/gtest.h>

namespace {

// What one way of reading gave: the packet, or the message it failed with.
struct TOutcome {
    QByteArray packet;
    QString error;
    bool operator==(const TOutcome&) const = default;
};

TOutcome Outcome(const std::function<TDataPacket()>& read) {
    try {
        return {read().Bytes(), {}};
    } catch (const Exception& e) {
        return {{}, e.Message()};
    }
}

TOutcome ThroughQt(TDbConnection& db, const QString& sql, const TSqlParams& params,
                   const TFieldDefs& defs) {
    return Outcome([&] {
        TSqlStatement st(db, sql);
        st.Exec(params);
        return st.ReadPacket(defs);
    });
}

template <class TSelect>
TOutcome Direct(TDbConnection& db, const TSelect& select, const TSqlParams& params,
                const TFieldDefs& defs) {
    return Outcome([&] { return SelectPacket(db, select, params, defs); });
}

class SqliteRowsTest : public ::testing::Test {
protected:
    void SetUp() override {
        // No declared type: every row holds its value as it was written.
        m_db.ExecRaw(QStringLiteral("CREATE TABLE MISTO (K INTEGER PRIMARY KEY, V)"));
        const QVariant values[] = {QStringLiteral("Ação 😀"),
                                   QStringLiteral("12.5"),
                                   QStringLiteral("abc"),
                                   qint64(42),
                                   2.75,
                                   QByteArray("\x00\xff\x80", 3),
                                   QByteArray("{\\rtf1 A\xc3\xa7\xc3\xa3o}"),
                                   QVariant(),
                                   QStringLiteral(""),
                                   QStringLiteral("S"),
                                   QStringLiteral("n"),
                                   qint64(1),
                                   QStringLiteral("Salão Cristal")};
        for (const QVariant& v : values)
            ExecSql(m_db, QStringLiteral("INSERT INTO MISTO (K, V) VALUES (:K, :V)"),
                    {{QStringLiteral("K"), ++m_rows}, {QStringLiteral("V"), v}});
    }

    TScratchDb m_scratch{TDialect::SQLite};
    TDbConnection m_db{m_scratch.Url()};
    int m_rows = 0;
};

TEST_F(SqliteRowsTest, EveryValueReachesEveryKindOfFieldAsThroughQt) {
    const TFieldDefs layouts[] = {
        {StrField(QStringLiteral("V"), 30)}, {StrField(QStringLiteral("V"), 5)},
        {StrField(QStringLiteral("V"), 13)}, {MemoField(QStringLiteral("V"))},
        {BlobField(QStringLiteral("V"))},    {FloatField(QStringLiteral("V"))},
        {DateField(QStringLiteral("V"))},    {IntField(QStringLiteral("V"))},
        {BoolField(QStringLiteral("V"))}};
    const QString sql = QStringLiteral("SELECT V FROM MISTO WHERE K = :K");
    int failures = 0;
    for (const TFieldDefs& layout : layouts)
        for (int k = 1; k <= m_rows; ++k) {
            SCOPED_TRACE(layout[0].name.toStdString() + " kind " +
                         std::to_string(int(layout[0].kind)) + " size " +
                         std::to_string(layout[0].size) + ", row " + std::to_string(k));
            const TSqlParams params{{QStringLiteral("K"), k}};
            const TOutcome qt = ThroughQt(m_db, sql, params, layout);
            EXPECT_EQ(Direct(m_db, sql, params, layout), qt);
            failures += qt.error.isEmpty() ? 0 : 1;
        }
    // The table holds values that some fields refuse: both ways must refuse them alike.
    EXPECT_GT(failures, 0);
}

// The packet is written as the rows come: the row count, each row's items and
// the values that go through Qt's driver must still make the same bytes.
TEST_F(SqliteRowsTest, ManyRowsOrNoneComeOutAsThroughQt) {
    const QString sql = QStringLiteral("SELECT K, V, V AS W, K * 1.5 AS F, 'x' AS B FROM MISTO "
                                       "WHERE K > :FROM ORDER BY K");
    const TFieldDefs layout{IntField(QStringLiteral("K")), StrField(QStringLiteral("V"), 30),
                            MemoField(QStringLiteral("W")), FloatField(QStringLiteral("F")),
                            BoolField(QStringLiteral("B"))};
    for (int from : {0, m_rows / 2, m_rows}) {
        SCOPED_TRACE(from);
        const TSqlParams params{{QStringLiteral("FROM"), from}};
        const TOutcome qt = ThroughQt(m_db, sql, params, layout);
        EXPECT_TRUE(qt.error.isEmpty()) << qt.error.toStdString();
        EXPECT_EQ(Direct(m_db, sql, params, layout), qt);
    }
}

TEST_F(SqliteRowsTest, ParametersBindAndFailAsThroughQt) {
    const QString sql = QStringLiteral("SELECT K FROM MISTO WHERE V = :P OR (:P IS NULL AND V IS "
                                       "NULL) ORDER BY K");
    const TFieldDefs layout{IntField(QStringLiteral("K"))};
    const QVariant values[] = {
        QStringLiteral("abc"),         QString(),  QStringLiteral(""), 2.75, 42, qint64(42), true,
        QByteArray("\x00\xff\x80", 3), QVariant(), QDate(2027, 4, 5)};
    for (const QVariant& v : values) {
        SCOPED_TRACE(v.typeName() ? v.typeName() : "invalid");
        const TSqlParams params{{QStringLiteral(":p"), v}};
        EXPECT_EQ(Direct(m_db, sql, params, layout), ThroughQt(m_db, sql, params, layout));
    }
    // A name the statement lacks, one left unbound, a column the result lacks, a statement
    // that does not prepare: the same message either way.
    const struct {
        QString sql;
        TSqlParams params;
    } faults[] = {
        {sql, {{QStringLiteral("P"), 1}, {QStringLiteral("Q"), 2}}},
        {sql, {}},
        {QStringLiteral("SELECT V AS K2 FROM MISTO"), {}},
        {QStringLiteral("SELECT K FROM NADA"), {}},
    };
    for (const auto& f : faults) {
        SCOPED_TRACE(f.sql.toStdString());
        const TOutcome qt = ThroughQt(m_db, f.sql, f.params, layout);
        EXPECT_FALSE(qt.error.isEmpty());
        EXPECT_EQ(Direct(m_db, f.sql, f.params, layout), qt);
    }
}

// A value with its kind, as the reader of a row sees it.
QString Shown(const QVariant& v) {
    return QStringLiteral("%1 %2 %3")
        .arg(v.typeName() ? v.typeName() : "invalid")
        .arg(v.isNull() ? QStringLiteral("null") : QString())
        .arg(v.toString());
}

TOutcome RowOutcome(const std::function<std::optional<QVariantList>()>& read) {
    try {
        const auto row = read();
        if (!row)
            return {"no row", {}};
        QByteArray shown;
        for (const QVariant& v : *row)
            shown += Shown(v).toUtf8() + '|';
        return {shown, {}};
    } catch (const Exception& e) {
        return {{}, e.Message()};
    }
}

TEST_F(SqliteRowsTest, OneRowComesOutAsThroughQt) {
    const QString sql = QStringLiteral("SELECT V, K, K * 0.5, NULL FROM MISTO WHERE K = :K");
    const auto qt = [&](const QString& text, const TSqlParams& params) {
        return RowOutcome([&]() -> std::optional<QVariantList> {
            TSqlStatement st(m_db, text);
            st.Exec(params);
            if (!st.Next())
                return std::nullopt;
            return QVariantList{st.Value(0), st.Value(1), st.Value(2), st.Value(3)};
        });
    };
    const auto direct = [&](const QString& text, const TSqlParams& params) {
        return RowOutcome([&] { return SelectRow(m_db, text, params); });
    };
    // Every stored kind of value, no row at all, and the faults of the statement.
    for (int k = 1; k <= m_rows + 1; ++k) {
        SCOPED_TRACE(k);
        const TSqlParams params{{QStringLiteral("K"), k}};
        EXPECT_EQ(direct(sql, params), qt(sql, params));
    }
    EXPECT_EQ(direct(sql, {{QStringLiteral("K"), m_rows + 1}}).packet, "no row");
    const std::pair<QString, TSqlParams> faults[] = {
        {sql, {}},
        {sql, {{QStringLiteral("K"), 1}, {QStringLiteral("Q"), 2}}},
        {QStringLiteral("SELECT V, K, 1, 2 FROM NADA"), {}}};
    for (const auto& [text, params] : faults) {
        SCOPED_TRACE(text.toStdString());
        const TOutcome expected = qt(text, params);
        EXPECT_FALSE(expected.error.isEmpty());
        EXPECT_EQ(direct(text, params), expected);
    }
}

// Catalogues looked up by code give the packet their joins give: rows without
// a code or whose code is missing left out or given nulls, every kind of
// value reaching every kind of field; and where a lookup cannot answer as
// the join would, the join is read instead.
TEST_F(SqliteRowsTest, CatalogueLookupsGiveWhatTheirJoinsGive) {
    m_db.ExecRaw(QStringLiteral("CREATE TABLE CAT (CD TEXT PRIMARY KEY, V)"));
    m_db.ExecRaw(QStringLiteral("INSERT INTO CAT SELECT 'C' || K, V FROM MISTO"));
    // A code of two parts, where joining the parts' texts would mix codes up.
    m_db.ExecRaw(QStringLiteral("CREATE TABLE CAT2 (A TEXT, B TEXT, W TEXT, PRIMARY KEY (A, B))"));
    m_db.ExecRaw(QStringLiteral("INSERT INTO CAT2 VALUES ('C1', 'C1', 'um'), ('C', '1C1', 'não'), "
                                "('C1C', '1', 'nem'), ('C2', 'C3', 'dois')"));
    m_db.ExecRaw(QStringLiteral("CREATE TABLE DUP (CD TEXT, V)"));
    m_db.ExecRaw(QStringLiteral("INSERT INTO DUP VALUES ('C1', 'a'), ('C2', 'b'), ('C2', 'c')"));
    m_db.ExecRaw(QStringLiteral("CREATE TABLE LINHA (N INTEGER PRIMARY KEY, CD, CD2)"));
    m_db.ExecRaw(
        QStringLiteral("INSERT INTO LINHA (CD, CD2) VALUES ('C1', 'C1'), ('C1', NULL), "
                       "(NULL, 'C3'), ('C99', 'C2'), ('C2', 'C3'), ('C1', 'C1'), ('C', '1C1')"));
    m_db.ExecRaw(QStringLiteral("INSERT INTO LINHA (CD, CD2) SELECT 'C' || K, 'C3' FROM MISTO"));
    m_db.ExecRaw(QStringLiteral("CREATE TABLE NUMERO (N INTEGER PRIMARY KEY, CD, CD2)"));
    m_db.ExecRaw(QStringLiteral("INSERT INTO NUMERO VALUES (1, 5, NULL), (2, 'C1', NULL)"));
    m_db.ExecRaw(QStringLiteral("INSERT INTO CAT VALUES ('5', 'cinco')"));
    const auto select = [](std::vector<TCatalogJoin> joins, const char* from = "LINHA") {
        return CatalogSelect(QStringLiteral("L.N, L.CD2"), QStringLiteral("%1 L").arg(from),
                             QStringLiteral("ORDER BY L.N"), std::move(joins));
    };
    const auto cat = [](bool inner) { return TCatalogJoin{"CAT", {"CD"}, {"L.CD"}, {"V"}, inner}; };
    const TCatalogJoin cat2{"CAT2", {"A", "B"}, {"L.CD", "L.CD2"}, {"W AS W2"}, false};
    const TFieldDef values[] = {StrField("V", 30), StrField("V", 5), MemoField("V"),
                                FloatField("V"),   IntField("V"),    BoolField("V")};
    int failures = 0;
    for (const TFieldDef& value : values)
        for (const bool inner : {true, false}) {
            SCOPED_TRACE(std::to_string(int(value.kind)) + " size " + std::to_string(value.size) +
                         (inner ? " inner" : " left"));
            const TFieldDefs layout{IntField("N"), value, StrField("W2", 10), StrField("CD2", 5)};
            TCatalogSelect s = select({cat(inner), cat2});
            const TOutcome joined = ThroughQt(m_db, s.sql, {}, layout);
            failures += joined.error.isEmpty() ? 0 : 1;
            // Read from the bare statement alone: its joins are never run.
            s.sql = QStringLiteral("SELECT 'the joins were read'");
            EXPECT_EQ(Direct(m_db, s, {}, layout), joined);
        }
    EXPECT_GT(failures, 0); // some fields refuse some of the catalogue's values
    // A code of another kind than text, or a catalogue with two rows for a
    // code: the join's rows, read with the join.
    const TFieldDefs layout{IntField("N"), StrField("V", 30)};
    const TCatalogSelect fallbacks[] = {
        select({{"DUP", {"CD"}, {"L.CD"}, {"V"}}}),
        select({cat(true)}, "NUMERO"),
    };
    for (const TCatalogSelect& s : fallbacks) {
        SCOPED_TRACE(s.bare.toStdString());
        const TOutcome joined = ThroughQt(m_db, s.sql, {}, layout);
        EXPECT_TRUE(joined.error.isEmpty()) << joined.error.toStdString();
        EXPECT_EQ(Direct(m_db, s, {}, layout), joined);
    }
}

TEST_F(SqliteRowsTest, AStatementWatchSeesEachReadOnce) {
    int seen = 0;
    TStatementWatch watch([&](const QString&) { ++seen; });
    SelectPacket(m_db, QStringLiteral("SELECT K FROM MISTO"), {}, {IntField(QStringLiteral("K"))});
    EXPECT_EQ(seen, 1);
    SelectRow(m_db, QStringLiteral("SELECT K FROM MISTO"), {});
    EXPECT_EQ(seen, 2);
}

} // namespace

// The lookups the screens run straight on the database, and "contains"
// searches with case folding, on the demo data of each engine.

#include "tests/srv/StorageTestUtil.h"

#include "core/data/PacketCodec.h"
#include "core/db/SqlStatement.h"
#include "core/db/SqlText.h"
#include "framework/db/SharedDatabase.h"
#include "ore/ore00800/model/FechaOrcaQueries.h"
#include "ore/ore00800/model/FiltroQueries.h"
#include "storage/Commands.h"

#include <gmock/gmock.h>

#include <set>

namespace {

// Opens `q` afresh with the given parameters.
TADOIBQuery& Reopen(TADOIBQuery& q,
                    std::initializer_list<std::pair<const char*, QString>> params = {}) {
    q.Close();
    for (const auto& [name, value] : params)
        q.ParamByName(QLatin1String(name)).SetAsString(value);
    q.Open();
    return q;
}

QString Text(TDataSet& ds, const char* field) {
    return ds.FieldByName(QLatin1String(field)).AsString();
}

// The screens' declared lookups, on the shared connection as the host gives it.
class StorageLookupTest : public SeededDbTest {
protected:
    void SetUp() override {
        SeededDbTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        m_conn = std::make_unique<TDbConnection>(Url());
        SetSharedDatabase(m_conn.get());
    }
    void TearDown() override {
        SetSharedDatabase(nullptr);
        m_conn.reset();
        SeededDbTest::TearDown();
    }
    TDbConnection& Db() { return *m_conn; }

    QObject m_owner;
    TFechaOrcaQueries m_main{&m_owner};
    TFiltroQueries m_filter{&m_owner};

private:
    std::unique_ptr<TDbConnection> m_conn;
};

} // namespace

TEST_P(StorageLookupTest, BranchLookupsFindOnlyTheExactCode) {
    TADOIBQuery& all = Reopen(*m_main.qryFilial);
    ASSERT_EQ(all.RecordCount(), 8);
    EXPECT_EQ(Text(all, "CDFILIAL"), QStringLiteral("0001"));

    TADOIBQuery& check = *m_main.qryVdFilial;
    Reopen(check, {{"P_CDFILIAL", "0003"}});
    ASSERT_EQ(check.RecordCount(), 1);
    EXPECT_EQ(Text(check, "NMFILIAL"), QStringLiteral("Celebrar Santos"));
    EXPECT_TRUE(Reopen(check, {{"P_CDFILIAL", "3"}}).IsEmpty()); // the screen pads it first
    EXPECT_TRUE(Reopen(check, {{"P_CDFILIAL", "0003' OR '1' = '1"}}).IsEmpty());
}

TEST_P(StorageLookupTest, CustomerCheckFindsActiveCustomersByCodeOrRegistration) {
    TADOIBQuery& pesq = *m_main.qryPesqClie;
    auto find = [&](const char* code, const char* number, const char* kind) -> TADOIBQuery& {
        return Reopen(
            pesq, {{"P_CDCLIENTE", code}, {"P_NRINSJURCLIE", number}, {"P_IDTPIJURCLIE", kind}});
    };
    // By registration ("T" matches no code), with payment mode and seller.
    find("T", "39053344705", "F");
    ASSERT_EQ(pesq.RecordCount(), 1);
    EXPECT_EQ(Text(pesq, "CDCLIENTE"), QStringLiteral("F39053344705"));
    EXPECT_EQ(Text(pesq, "DSMODPGTO"), QStringLiteral("Transferência bancária / PIX"));
    EXPECT_EQ(Text(pesq, "NMFANVEN"), QStringLiteral("Ana Ribeiro"));
    // The registration alone is not enough: its kind must match.
    EXPECT_TRUE(find("T", "39053344705", "J").IsEmpty());
    // By code; a customer without payment mode or seller is still found.
    find("F98765432100", "T", "T");
    ASSERT_EQ(pesq.RecordCount(), 1);
    EXPECT_TRUE(pesq.FieldByName("CDMODPGTO").IsNull());
    EXPECT_TRUE(pesq.FieldByName("CDVENDEDOR").IsNull());
    // An inactive customer is not found here, but the registration check finds him.
    EXPECT_TRUE(find("F74185296300", "T", "T").IsEmpty());
    TADOIBQuery& contrat = Reopen(*m_main.QryVdCliContrat, {{"P_NRINSJURCLIE", "74185296300"}});
    ASSERT_EQ(contrat.RecordCount(), 1);
    EXPECT_EQ(Text(contrat, "NMFANTCLIE"), QStringLiteral("Ricardo Nunes"));
    // The client list offered for the contracting client holds everyone.
    EXPECT_GE(Reopen(*m_main.qryCliente).RecordCount(), 15);
}

TEST_P(StorageLookupTest, FilterPickersListTheirCatalogues) {
    EXPECT_EQ(Reopen(*m_filter.qryVendedor).RecordCount(), 10);

    // Customers with their main address: each once, with place names.
    TADOIBQuery& customers = Reopen(*m_filter.qryCliente);
    std::set<QString> codes;
    for (customers.First(); !customers.Eof(); customers.Next())
        codes.insert(Text(customers, "CDCLIENTE"));
    EXPECT_EQ(int(codes.size()), customers.RecordCount());
    EXPECT_GE(codes.size(), 15u);
    customers.First();
    EXPECT_EQ(Text(customers, "NMPAIS"), QStringLiteral("Brasil"));

    EXPECT_GT(Reopen(*m_filter.qryProduto).RecordCount(), 40);
    EXPECT_EQ(Text(Reopen(*m_filter.qryTipoEven), "NMTIPOEVENTO"), QStringLiteral("Casamento"));
    EXPECT_EQ(Reopen(*m_filter.qryTipoServ).RecordCount(), 5);
}

TEST_P(StorageLookupTest, FoldingLowersAccentedCapitalsAlikeOnBothEngines) {
    TDbConnection& db = Db();
    TSqlStatement st(db, QStringLiteral("SELECT ore_fold(:T), ore_fold(NULL)"));
    for (const QString& text :
         {QStringLiteral("JOÃO ÁÉÍÓÚ ÂÊÔ ÀÇÜÑ"), QStringLiteral("Ação é Ótima"),
          QStringLiteral("ABC abc 123 %_\\'")}) {
        st.Exec({{QStringLiteral("T"), text}});
        ASSERT_TRUE(st.Next());
        EXPECT_EQ(st.Value(0).toString(), text.toLower()) << text.toStdString();
        EXPECT_TRUE(st.Value(1).isNull());
        st.Query().finish();
    }
}

TEST_P(StorageLookupTest, ContainsMatchesTheTextAsTypedAndNothingElse) {
    TDbConnection& db = Db();
    const QStringList names = {QStringLiteral("100% Festas"),     QStringLiteral("Festa_Junina"),
                               QStringLiteral("Festa Junina"),    QStringLiteral("Bar do O'Brien"),
                               QStringLiteral("C:\\Eventos\\SP"), QStringLiteral("JOÃO DA SILVA"),
                               QStringLiteral("joão pereira"),    QStringLiteral("Joao Sem Acento"),
                               QStringLiteral("ÉDEN BUFFET"),     QStringLiteral("Ângela Doces")};
    {
        TTransaction tx(db);
        TSqlStatement insert(db, QStringLiteral("INSERT INTO CLIENTE (CDCLIENTE, IDTPIJURCLIE, "
                                                "NRINSJURCLIE, NMRAZSOCCLIE, NMFANTCLIE) VALUES "
                                                "(:C, 'F', :C, :N, :N)"));
        int n = 0;
        for (const QString& name : names)
            insert.Exec({{QStringLiteral("C"), QStringLiteral("BUSCA%1").arg(++n)},
                         {QStringLiteral("N"), name}});
        tx.Commit();
    }
    const int customers = [&] {
        TSqlStatement st(db, QStringLiteral("SELECT COUNT(*) FROM CLIENTE"));
        st.Exec();
        st.Next();
        return st.Value(0).toInt();
    }();
    auto search = [&](const QString& typed) {
        TSqlStatement st(db,
                         QStringLiteral("SELECT NMFANTCLIE FROM CLIENTE WHERE CDCLIENTE LIKE "
                                        "'BUSCA%' AND ") +
                             ContainsCondition(QStringLiteral("NMFANTCLIE"), QStringLiteral("P")));
        st.Exec({{QStringLiteral("P"), ContainsPattern(typed)}});
        std::set<QString> found;
        while (st.Next())
            found.insert(st.Value(0).toString());
        return found;
    };
    using S = std::set<QString>;
    EXPECT_EQ(search(QStringLiteral("%")), S{QStringLiteral("100% Festas")});
    EXPECT_EQ(search(QStringLiteral("_")), S{QStringLiteral("Festa_Junina")});
    EXPECT_EQ(search(QStringLiteral("a_j")), S{QStringLiteral("Festa_Junina")});
    EXPECT_EQ(search(QStringLiteral("'")), S{QStringLiteral("Bar do O'Brien")});
    EXPECT_EQ(search(QStringLiteral("\\eventos\\")), S{QStringLiteral("C:\\Eventos\\SP")});
    const S joao = {QStringLiteral("JOÃO DA SILVA"), QStringLiteral("joão pereira")};
    EXPECT_EQ(search(QStringLiteral("joão")), joao);
    EXPECT_EQ(search(QStringLiteral("JOÃO")), joao);
    EXPECT_EQ(search(QStringLiteral("Éden")), S{QStringLiteral("ÉDEN BUFFET")});
    EXPECT_EQ(search(QStringLiteral("ÂNGELA")), S{QStringLiteral("Ângela Doces")});
    EXPECT_EQ(search(QString()).size(), size_t(names.size()));
    for (const char* hostile : {"'; DROP TABLE CLIENTE; --", "' OR '1' = '1", "%' OR 1=1 --"})
        EXPECT_TRUE(search(QString::fromLatin1(hostile)).empty()) << hostile;
    TSqlStatement st(db, QStringLiteral("SELECT COUNT(*) FROM CLIENTE"));
    st.Exec();
    ASSERT_TRUE(st.Next());
    EXPECT_EQ(st.Value(0).toInt(), customers);
}

ORE_INSTANTIATE_ENGINES(StorageLookupTest);

// The statements the screens run straight on the database, and "contains"
// searches with case folding, on the demo data of each engine.

#include "StorageTestUtil.h"

#include "PacketCodec.h"
#include "SqlStatement.h"
#include "SqlText.h"
#include "storage/Commands.h"

#include <gmock/gmock.h>

#include <set>

namespace {

QString Lines(std::initializer_list<const char*> lines) {
    QStringList out;
    for (const char* l : lines)
        out << QString::fromUtf8(l);
    return out.join(u'\n');
}

// The rows of a statement, read through a record-set layout.
std::unique_ptr<TRowStore> Rows(TDbConnection& db, const QString& sql, const TSqlParams& params,
                                const TFieldDefs& layout) {
    TSqlStatement st(db, sql);
    st.Exec(params);
    return st.ReadRows(layout);
}

QString Text(const TRowStore& rows, quint32 row, const char* field) {
    for (int c = 0; c < rows.ColumnCount(); ++c)
        if (rows.Defs()[size_t(c)].name == QLatin1String(field))
            return rows.Value(row, c).toString();
    ADD_FAILURE() << "no field " << field;
    return {};
}

const QString kPesqClie = Lines({
    "SELECT",
    "   CL.IDTPIJURCLIE, CL.NRINSJURCLIE, CL.CDCLIENTE,",
    "   CL.NMFANTCLIE,   CL.NMRAZSOCCLIE, MP.CDMODPGTO,",
    "   MP.DSMODPGTO,    CL.VRPEMAXDESCL, V.CDVENDEDOR, V.NMFANVEN,",
    "   V.VRPECOMVEN",
    "FROM",
    "   CLIENTE CL LEFT JOIN MODPGTO MP ON (MP.CDMODPGTO = CL.CDMODPGTO)",
    "              LEFT JOIN VENDEDOR V ON (CL.CDVENDEDOR = V.CDVENDEDOR)",
    "WHERE ((CL.CDCLIENTE    = :P_CDCLIENTE) OR",
    "       (CL.NRINSJURCLIE = :P_NRINSJURCLIE) AND (CL.IDTPIJURCLIE = :P_IDTPIJURCLIE))",
    "  AND (CL.IDCLIEATIV   = 'S' )",
});

const TFieldDefs kPesqClieLayout = {
    StrField("IDTPIJURCLIE", 1), StrField("NRINSJURCLIE", 20), StrField("CDCLIENTE", 21),
    StrField("NMFANTCLIE", 50),  StrField("NMRAZSOCCLIE", 50), StrField("CDMODPGTO", 5),
    StrField("DSMODPGTO", 100),  FloatField("VRPEMAXDESCL"),   StrField("CDVENDEDOR", 4),
    StrField("NMFANVEN", 50),    FloatField("VRPECOMVEN")};

TSqlParams PesqClie(const char* code, const char* number, const char* kind) {
    return {{QStringLiteral("P_CDCLIENTE"), QString::fromLatin1(code)},
            {QStringLiteral("P_NRINSJURCLIE"), QString::fromLatin1(number)},
            {QStringLiteral("P_IDTPIJURCLIE"), QString::fromLatin1(kind)}};
}

class StorageLookupTest : public SeededDbTest {};

} // namespace

TEST_P(StorageLookupTest, BranchLookupsFindOnlyTheExactCode) {
    TDbConnection db(Url());
    const auto all =
        Rows(db, Lines({"SELECT CDFILIAL, NMFILIAL", "FROM FILIAL", "ORDER BY CDFILIAL"}), {},
             {StrField("CDFILIAL", 4), StrField("NMFILIAL", 30)});
    ASSERT_EQ(all->RowCount(), 8u);
    EXPECT_EQ(Text(*all, 0, "CDFILIAL"), QStringLiteral("0001"));

    const QString check =
        Lines({"SELECT CDFILIAL, NMFILIAL", "FROM FILIAL", "WHERE CDFILIAL = :P_CDFILIAL"});
    const TFieldDefs layout = {StrField("CDFILIAL", 4).Hidden(), StrField("NMFILIAL", 30).Hidden()};
    auto find = [&](const QString& code) {
        return Rows(db, check, {{QStringLiteral("P_CDFILIAL"), code}}, layout);
    };
    const auto santos = find(QStringLiteral("0003"));
    ASSERT_EQ(santos->RowCount(), 1u);
    EXPECT_EQ(Text(*santos, 0, "NMFILIAL"), QStringLiteral("Celebrar Santos"));
    EXPECT_EQ(find(QStringLiteral("3"))->RowCount(), 0u); // the screen pads it first
    EXPECT_EQ(find(QStringLiteral("0003' OR '1' = '1"))->RowCount(), 0u);
}

TEST_P(StorageLookupTest, CustomerCheckFindsActiveCustomersByCodeOrRegistration) {
    TDbConnection db(Url());
    // By registration ("T" matches no code), with payment mode and seller.
    const auto mariana = Rows(db, kPesqClie, PesqClie("T", "39053344705", "F"), kPesqClieLayout);
    ASSERT_EQ(mariana->RowCount(), 1u);
    EXPECT_EQ(Text(*mariana, 0, "CDCLIENTE"), QStringLiteral("F39053344705"));
    EXPECT_EQ(Text(*mariana, 0, "DSMODPGTO"), QStringLiteral("Transferência bancária / PIX"));
    EXPECT_EQ(Text(*mariana, 0, "NMFANVEN"), QStringLiteral("Ana Ribeiro"));
    // The registration alone is not enough: its kind must match.
    EXPECT_EQ(Rows(db, kPesqClie, PesqClie("T", "39053344705", "J"), kPesqClieLayout)->RowCount(),
              0u);
    // By code; a customer without payment mode or seller is still found.
    const auto beatriz = Rows(db, kPesqClie, PesqClie("F98765432100", "T", "T"), kPesqClieLayout);
    ASSERT_EQ(beatriz->RowCount(), 1u);
    EXPECT_TRUE(Text(*beatriz, 0, "CDMODPGTO").isEmpty());
    EXPECT_TRUE(Text(*beatriz, 0, "CDVENDEDOR").isEmpty());
    // An inactive customer is not found here, but the registration check finds him.
    EXPECT_EQ(Rows(db, kPesqClie, PesqClie("F74185296300", "T", "T"), kPesqClieLayout)->RowCount(),
              0u);
    const auto inactive =
        Rows(db,
             Lines({"SELECT", "   CDCLIENTE,     IDTPIJURCLIE,  NRINSJURCLIE,",
                    "   NMRAZSOCCLIE,  NMFANTCLIE", "FROM", "   CLIENTE",
                    "WHERE (NRINSJURCLIE = :P_NRINSJURCLIE)  ", "", "", " "}),
             {{QStringLiteral("P_NRINSJURCLIE"), QStringLiteral("74185296300")}},
             {StrField("CDCLIENTE", 21), StrField("IDTPIJURCLIE", 1), StrField("NRINSJURCLIE", 20),
              StrField("NMRAZSOCCLIE", 50), StrField("NMFANTCLIE", 50)});
    ASSERT_EQ(inactive->RowCount(), 1u);
    EXPECT_EQ(Text(*inactive, 0, "NMFANTCLIE"), QStringLiteral("Ricardo Nunes"));
}

TEST_P(StorageLookupTest, FilterPickersListTheirCatalogues) {
    TDbConnection db(Url());
    const auto sellers = Rows(db,
                              Lines({"SELECT", "   CDVENDEDOR,", "   NMFANVEN", "FROM",
                                     "   VENDEDOR", "ORDER BY", "   CDVENDEDOR"}),
                              {}, {StrField("CDVENDEDOR", 4), StrField("NMFANVEN", 50)});
    EXPECT_EQ(sellers->RowCount(), 10u);

    // Customers with their main address: each once, with place names.
    const auto customers = Rows(
        db,
        Lines({"SELECT", "   C.CDCLIENTE , C.IDTPIJURCLIE, C.NRINSJURCLIE,",
               "   C.NMFANTCLIE, C.NMRAZSOCCLIE, P.NMPAIS, ",
               "   M.SGESTADO  , M.NMMUNICIPIO , E.DSENDECLIE ", "FROM", "   CLIENTE C, PAIS P, ",
               "   MUNICIPIO M, ENDECLIE E", "WHERE ", "   (C.CDCLIENTE   = E.CDCLIENTE  ) AND",
               "   (E.CDPAIS      = M.CDPAIS     ) AND", "   (E.SGESTADO    = M.SGESTADO   ) AND",
               "   (E.CDMUNICIPIO = M.CDMUNICIPIO) AND", "   (M.CDPAIS      = P.CDPAIS     ) AND",
               "   (IDTPENDECLIE  = 'P')", "ORDER BY", "   NRINSJURCLIE"}),
        {},
        {StrField("CDCLIENTE", 21), StrField("IDTPIJURCLIE", 1), StrField("NRINSJURCLIE", 20),
         StrField("NMFANTCLIE", 50), StrField("NMRAZSOCCLIE", 50), StrField("NMPAIS", 30),
         StrField("SGESTADO", 2), StrField("NMMUNICIPIO", 30), StrField("DSENDECLIE", 50)});
    std::set<QString> codes;
    for (quint32 r = 0; r < customers->RowCount(); ++r)
        codes.insert(Text(*customers, r, "CDCLIENTE"));
    EXPECT_EQ(codes.size(), customers->RowCount());
    EXPECT_GE(codes.size(), 15u);
    EXPECT_EQ(Text(*customers, 0, "NMPAIS"), QStringLiteral("Brasil"));

    const auto products =
        Rows(db,
             Lines({"SELECT", "   CDPRODUTO,", "   CDARVPROD,", "   NMPRODUTO", "FROM",
                    "   PRODUTO", "ORDER BY", "   CDARVPROD"}),
             {}, {StrField("CDARVPROD", 20), StrField("NMPRODUTO", 50), StrField("CDPRODUTO", 10)});
    EXPECT_GT(products->RowCount(), 40u);
    const auto events = Rows(db,
                             Lines({"SELECT CDTIPOEVENTO, NMTIPOEVENTO", "FROM TIPOEVENTO",
                                    "ORDER BY CDTIPOEVENTO", " "}),
                             {}, {StrField("CDTIPOEVENTO", 3), StrField("NMTIPOEVENTO", 30)});
    EXPECT_EQ(Text(*events, 0, "NMTIPOEVENTO"), QStringLiteral("Casamento"));
    const auto services = Rows(
        db,
        Lines({"SELECT CDTPSERVEVEN, NMTPSERVEVEN", "FROM TIPOSERVEVEN", "ORDER BY CDTPSERVEVEN"}),
        {}, {StrField("CDTPSERVEVEN", 3), StrField("NMTPSERVEVEN", 30)});
    EXPECT_EQ(services->RowCount(), 5u);
}

TEST_P(StorageLookupTest, FoldingLowersAccentedCapitalsAlikeOnBothEngines) {
    TDbConnection db(Url());
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
    TDbConnection db(Url());
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

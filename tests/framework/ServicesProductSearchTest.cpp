// The product picker's query: what a branch offers, narrowed by name, and
// what the picker says when there is nothing to list.

#include "tests/framework/ServicesDbTestUtil.h"

#include "framework/db/AdoIbQuery.h"
#include "framework/db/QueryParams.h"
#include "framework/services/ProductSearch.h"

namespace {

class ProductSearch : public ServicesDbTest {
protected:
    void SetUp() override {
        ServicesDbTest::SetUp();
        m_db->ExecScript(QStringLiteral(
            "CREATE TABLE PRODUTO (CDPRODUTO TEXT PRIMARY KEY, CDARVPROD TEXT NOT NULL UNIQUE,"
            " NMPRODUTO TEXT NOT NULL, CDNVPRODUTO INTEGER NOT NULL,"
            " IDATIVOPROD TEXT NOT NULL DEFAULT 'S');"
            "CREATE TABLE PRODFILIAL (CDFILIAL TEXT NOT NULL, CDPRODUTO TEXT NOT NULL,"
            " IDATIVOPRFI TEXT NOT NULL DEFAULT 'S', PRIMARY KEY (CDFILIAL, CDPRODUTO));"
            "INSERT INTO PRODUTO VALUES"
            " ('1', '1', 'Bebidas', 1, 'S'), ('2', '101', 'Sucos', 2, 'S'),"
            " ('12', '101002', 'Suco de Uva', 3, 'S'), ('11', '101001', 'SUCO DE LARANJA', 3, 'S'),"
            " ('13', '101003', 'Água 100% natural', 3, 'S'), ('14', '101004', 'Suco antigo', 3, "
            "'N'),"
            " ('15', '101005', 'Suco de caju', 3, 'S');"
            "INSERT INTO PRODFILIAL VALUES"
            " ('0001', '1', 'S'), ('0001', '2', 'S'), ('0001', '11', 'S'), ('0001', '12', 'S'),"
            " ('0001', '13', 'S'), ('0001', '14', 'S'), ('0001', '15', 'N'),"
            " ('0002', '2', 'S'), ('0002', '15', 'N');"));
        m_query.setObjectName(QStringLiteral("qryProduto"));
        // What the picker's before-open handler does.
        m_query.BeforeOpen = [this](TDataSet&) {
            if (ExistParam(m_query.Params(), QStringLiteral("P_CDNVPRODUTO")))
                m_query.ParamByName(QStringLiteral("P_CDNVPRODUTO"))
                    .SetAsInteger(DBPictObj(0).GetTtNiveis());
            if (ExistParam(m_query.Params(), QStringLiteral("P_CDFILIAL")))
                m_query.ParamByName(QStringLiteral("P_CDFILIAL")).SetAsString(m_branch);
        };
    }
    void TearDown() override {
        m_query.Close();
        ServicesDbTest::TearDown();
    }

    // The tree codes listed for `branch`, or the picker's message.
    QStringList List(const QString& branch, const QString& text, bool onlyActive) {
        m_branch = branch;
        const QString error = SQL_Pesquisa_Produto(branch, text, &m_query, onlyActive);
        if (!error.isEmpty())
            return {error};
        EXPECT_FALSE(m_query.Active());
        m_query.Open();
        QStringList codes;
        for (m_query.First(); !m_query.Eof(); m_query.Next())
            codes << m_query.FieldByName(QStringLiteral("CDARVPROD")).AsString();
        m_query.Close();
        return codes;
    }

    QString m_branch;
    TADOIBQuery m_query{
        {StrField("CDPRODUTO", 10), StrField("CDARVPROD", 20), StrField("NMPRODUTO", 50)}};
};

} // namespace

TEST_F(ProductSearch, ListsTheBranchLeafProductsByTreeCode) {
    EXPECT_EQ(List(QStringLiteral("0001"), QString(), true),
              (QStringList{"101001", "101002", "101003"}));
    EXPECT_EQ(List(QStringLiteral("0001"), QStringLiteral("  "), false),
              (QStringList{"101001", "101002", "101003", "101004", "101005"}));
}

TEST_F(ProductSearch, TextNarrowsByNameIgnoringCaseAndMatchesWildcardsLiterally) {
    EXPECT_EQ(List(QStringLiteral("0001"), QStringLiteral("suco de"), true),
              (QStringList{"101001", "101002"}));
    EXPECT_EQ(List(QStringLiteral("0001"), QStringLiteral("ÁGUA"), true), (QStringList{"101003"}));
    EXPECT_EQ(List(QStringLiteral("0001"), QStringLiteral("0%"), true), (QStringList{"101003"}));
    EXPECT_EQ(List(QStringLiteral("0001"), QStringLiteral("S_co"), true), QStringList());
    // Back to the whole list: the narrowing goes with the text.
    EXPECT_EQ(List(QStringLiteral("0001"), QString(), true).size(), 3);
}

TEST_F(ProductSearch, SaysWhyNothingCanBeListed) {
    EXPECT_EQ(List(QString(), QString(), true), QStringList{"Informe a filial."});
    EXPECT_EQ(List(QStringLiteral("   "), QString(), true), QStringList{"Informe a filial."});
    EXPECT_EQ(List(QStringLiteral("0003"), QString(), true),
              QStringList{"Não há produto cadastrado para a filial 0003."});
    // Branch 0002 offers a group and an inactive product only.
    EXPECT_EQ(List(QStringLiteral("0002"), QString(), true),
              QStringList{"Não há produto cadastrado para a filial 0002."});
    EXPECT_EQ(List(QStringLiteral("0002"), QString(), false), QStringList{"101005"});
}

TEST_F(ProductSearch, ReplacesAnOpenQueryAndItsDialectStatement) {
    m_query.SQL_IB = QStringList{"SELECT 'x' AS CDPRODUTO, 'x' AS CDARVPROD, 'x' AS NMPRODUTO"};
    m_query.Open();
    ASSERT_TRUE(m_query.Active());
    EXPECT_EQ(List(QStringLiteral("0001"), QStringLiteral("uva"), true), QStringList{"101002"});
}

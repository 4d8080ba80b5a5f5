// Saved filter options on each engine: per screen and operator, replaced by
// name, any text kept exactly.

#include "tests/srv/StorageTestUtil.h"

#include "core/db/DbError.h"
#include "framework/db/OptionSetStore.h"

#include <gtest/gtest.h>

namespace {

class OptionSetStoreTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        if (IsSkipped())
            return;
        ASSERT_EQ(RunInitDb(UrlString()), 0);
        m_conn = std::make_unique<TDbConnection>(Url());
    }
    void TearDown() override {
        m_conn.reset();
        EngineTest::TearDown();
    }
    std::unique_ptr<TDbConnection> m_conn;
};

} // namespace

TEST_P(OptionSetStoreTest, KeepsSetsPerScreenAndOperatorAndReplacesByName) {
    TOptionSetStore maria(QStringLiteral("ORE00801"), QStringLiteral("MARIA"), m_conn.get());
    TOptionSetStore joao(QStringLiteral("ORE00801"), QStringLiteral("JOAO"), m_conn.get());
    TOptionSetStore other(QStringLiteral("ORE09999"), QStringLiteral("MARIA"), m_conn.get());

    const TOptionSet set{
        {"medOrcaDe=0000001001", "edtTitulo=", "edtNovoClie=O'Brien; DROP TABLE X"},
        {"stCliente=F123_J45\\_6", "multi=linha 1\nlinha 2"}};
    maria.Save(QStringLiteral("  Aprovados do mês "), set);
    maria.Save(QStringLiteral("Abertos"), {{"a=1"}, {}});
    EXPECT_EQ(maria.Names(), (QStringList{"Abertos", "Aprovados do mês"}));
    EXPECT_TRUE(joao.Names().isEmpty());
    EXPECT_TRUE(other.Names().isEmpty());

    const TOptionSet back = maria.Load(QStringLiteral("Aprovados do mês"));
    EXPECT_EQ(back.controls, set.controls);
    EXPECT_EQ(back.variables, set.variables);

    maria.Save(QStringLiteral("Abertos"), {{"a=2"}, {"v=3"}});
    EXPECT_EQ(maria.Names().size(), 2);
    EXPECT_EQ(maria.Load(QStringLiteral("Abertos")).controls, QStringList{"a=2"});

    maria.Delete(QStringLiteral("Abertos"));
    EXPECT_EQ(maria.Names(), QStringList{"Aprovados do mês"});
    EXPECT_THROW(maria.Load(QStringLiteral("Abertos")), EDbError);
    EXPECT_THROW(maria.Save(QStringLiteral("   "), set), EDbError);
}

ORE_INSTANTIATE_ENGINES(OptionSetStoreTest);

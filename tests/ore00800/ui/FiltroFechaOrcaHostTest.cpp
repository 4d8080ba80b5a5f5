// The filter dialog needs no closing screen: whatever host it is opened for
// gives it the branch, the managers and the retrieval.

#include "tests/ore00800/ui/FiltroFechaOrcaTestUtil.h"

#include "tests/support/QtPrinters.h"

namespace {

class TFakeFiltroHost : public IFiltroHost {
public:
    QString branch;
    QVariant managers; // what GetGerenteSup answers
    QStringList managerCodes;
    std::vector<TFechaOrcaProbe::TRetrieval> retrievals;

    QString BranchCode() const override { return branch; }
    TServerReply GetGerenteSup(const QString& code) override {
        managerCodes << code;
        return TServerReply::Success(managers);
    }
    void RetrieveBudgets() override {
        retrievals.push_back({frmFiltroFechaOrca && frmFiltroFechaOrca->isVisible(), Filtro});
    }
};

class FiltroFechaOrcaHost : public FiltroFechaOrcaTest {
protected:
    void SetUp() override {
        FiltroFechaOrcaTest::SetUp();
        delete screen;
        screen = nullptr;
    }

    TFakeFiltroHost host;
};

} // namespace

TEST_F(FiltroFechaOrcaHost, AnotherHostServesTheDialogWithNoClosingScreenOpen) {
    ASSERT_EQ(frmFechaOrca, nullptr);
    host.branch = QStringLiteral("0042");
    host.managers = Managers({{QStringLiteral("0002"), QStringLiteral("Bruno")}});
    QString productsShown;
    inWindow = [&](QDialog& picker) {
        productsShown = picker.findChild<QLabel*>(QStringLiteral("lblVazio"))->text();
        Click(picker, "btnCancelar");
    };
    const int result = OpenFor(&host, [](TfrmFiltroFechaOrca& f) {
        Click(f.rbtLProduto);
        Click(f.sbtProduto);
        Click(f.rbtTProduto);
        Type(f.edtCdVendedor, QStringLiteral("2"));
        Click(f, "sbtConfirma");
    });

    EXPECT_EQ(result, TModalForm::mrOk);
    EXPECT_EQ(productsShown, QStringLiteral("Não há produto cadastrado para a filial 0042."));
    EXPECT_EQ(host.managerCodes, QStringList{"0002"});
    ASSERT_EQ(host.retrievals.size(), 1u);
    EXPECT_TRUE(host.retrievals[0].filterOnScreen);
    EXPECT_EQ(host.retrievals[0].filtro.CdGerenteSup, QStringLiteral("0002"));
    EXPECT_EQ(host.retrievals[0].filtro.NmGerenteSup, QStringLiteral("Bruno"));
    EXPECT_TRUE(dialogs.Texts().isEmpty());
}

// The criteria while the operator edits them: the radios and their search
// buttons, leaving the budget numbers, and "Desfazer".

#include "tests/ore00800/ui/FiltroFechaOrcaTestUtil.h"

namespace {

using FiltroFechaOrcaCriteria = FiltroFechaOrcaTest;

} // namespace

TEST_F(FiltroFechaOrcaCriteria, EachSearchButtonIsEnabledExactlyWhileItsListaIsChosen) {
    Open([](TfrmFiltroFechaOrca& f) {
        const std::vector<std::tuple<QRadioButton*, QRadioButton*, QToolButton*>> criteria{
            {f.rbtTVendedor, f.rbtLVendedor, f.sbtVendedor},
            {f.rbtTCliente, f.rbtLCliente, f.sbtCliente},
            {f.rbtTTipoServ, f.rbtLTipoServ, f.sbtFiliDest},
            {f.rbtTTipoEven, f.rbtLTipoEven, f.sbtTipoEven},
            {f.rbtTProduto, f.rbtLProduto, f.sbtProduto},
            {f.rbtTMaoObra, f.rbtLMaoObra, f.sbtMaoObra}};
        for (const auto& [todos, lista, search] : criteria) {
            Click(lista);
            EXPECT_TRUE(search->isEnabled()) << search->objectName().toStdString();
            // The arrow keys move between the two radios as well.
            QTest::keyClick(lista, Qt::Key_Left);
            EXPECT_TRUE(todos->isChecked());
            EXPECT_FALSE(search->isEnabled()) << search->objectName().toStdString();
        }
        // One criterion's radios leave the others alone.
        Click(f.rbtLCliente);
        EXPECT_TRUE(f.rbtTVendedor->isChecked());
        EXPECT_FALSE(f.sbtVendedor->isEnabled());
    });
}

TEST_F(FiltroFechaOrcaCriteria, LeavingTheBudgetNumbersZeroFillsThemAndOneNumberIsARangeOfOne) {
    Open([](TfrmFiltroFechaOrca& f) {
        Type(f.medOrcaDe, QStringLiteral("ab12345678999")); // upper case, ten at most
        EXPECT_EQ(f.medOrcaDe->Text(), QStringLiteral("AB12345678"));
        Type(f.medOrcaDe, QStringLiteral("12"));
        TabFrom(f.medOrcaDe);
        EXPECT_EQ(f.medOrcaDe->Text(), QStringLiteral("0000000012"));
        EXPECT_EQ(f.medOrcaAte->Text(), QStringLiteral("0000000012"));
        EXPECT_EQ(QApplication::focusWidget(), f.medOrcaAte);

        Type(f.medOrcaAte, QStringLiteral("340"));
        TabFrom(f.medOrcaAte);
        EXPECT_EQ(f.medOrcaAte->Text(), QStringLiteral("0000000340"));

        // A second visit to "de" keeps the "até" the operator typed.
        Type(f.medOrcaDe, QStringLiteral("5"));
        TabFrom(f.medOrcaDe);
        EXPECT_EQ(f.medOrcaDe->Text(), QStringLiteral("0000000005"));
        EXPECT_EQ(f.medOrcaAte->Text(), QStringLiteral("0000000340"));
    });
    EXPECT_TRUE(dialogs.Texts().isEmpty());
}

TEST_F(FiltroFechaOrcaCriteria, DesfazerForgetsFivePickedListsButNotLabourNorTheControls) {
    Filtro.CdVend = {false, QStringLiteral("0001")};
    Filtro.CdClie = {false, QStringLiteral("F1")};
    Filtro.CdServ = {false, QStringLiteral("BUF")};
    Filtro.CdEven = {false, QStringLiteral("CAS")};
    Filtro.CdProd = {false, QStringLiteral("11")};
    Filtro.CdObra = {false, QStringLiteral("21")};
    Open([](TfrmFiltroFechaOrca& f) {
        f.edtTitulo->setText(QStringLiteral("Formatura"));
        Click(f, "sbtLimpa");
        EXPECT_EQ((QStringList{stVendedor, stCliente, stTipoServ, stTipoEven, stProduto}),
                  QStringList(5));
        EXPECT_EQ(stMaoObra, QStringLiteral("21"));
        EXPECT_EQ(f.edtTitulo->text(), QStringLiteral("Formatura"));
        EXPECT_TRUE(f.sbtVendedor->isEnabled());
    });
}

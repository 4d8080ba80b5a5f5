// The checks a confirmation runs: each refusal shows its text, puts the focus
// on the control to mend, and leaves the dialog open with nothing written;
// and the manager code checked on the server when the operator leaves it.

#include "tests/ore00800/ui/FiltroFechaOrcaTestUtil.h"

namespace {

class FiltroFechaOrcaValidation : public FiltroFechaOrcaTest {
protected:
    // Confirms and expects the refusal `text` with the focus on `focus`.
    void ExpectRefused(TfrmFiltroFechaOrca& f, const QString& text, QWidget* focus) {
        const TFiltro before = Filtro;
        dialogs.Clear();
        Click(f, "sbtConfirma");
        Settle();
        EXPECT_EQ(dialogs.Texts(TKind::Error), QStringList{text});
        EXPECT_EQ(QApplication::focusWidget(), focus);
        EXPECT_TRUE(f.isVisible());
        EXPECT_EQ(f.ModalResult(), TModalForm::mrNone);
        EXPECT_EQ(Filtro, before);
        EXPECT_TRUE(screen->retrievals.empty());
    }
    // Confirms and expects it to go through.
    void ExpectAccepted(TfrmFiltroFechaOrca& f) {
        dialogs.Clear();
        Click(f, "sbtConfirma");
        EXPECT_TRUE(dialogs.Texts().isEmpty()) << dialogs.Texts().join(u'\n').toStdString();
        EXPECT_FALSE(f.isVisible());
        EXPECT_EQ(f.ModalResult(), TModalForm::mrOk);
    }
};

} // namespace

TEST_F(FiltroFechaOrcaValidation, BudgetNumbersMustBeAnOrderedRangeOfZeroFilledNumbers) {
    Open([this](TfrmFiltroFechaOrca& f) {
        Type(f.medOrcaAte, QStringLiteral("7"));
        ExpectRefused(f, QStringLiteral("Número do orçamento inicial deve ser informado."),
                      f.medOrcaDe);
        Type(f.medOrcaDe, QStringLiteral("21"));
        Type(f.medOrcaAte, QStringLiteral("3"));
        FocusOn(f.edtTitulo);
        ExpectRefused(f,
                      QStringLiteral("Número do orçamento inicial deve ser menor ou igual ao "
                                     "número do orçamento final."),
                      f.medOrcaDe);
        EXPECT_EQ(f.medOrcaAte->Text(), QStringLiteral("0000000003")); // normalised on the way
        // Nine comes before ten once both are zero-filled; as typed it would not.
        Type(f.medOrcaAte, QStringLiteral("10"));
        Type(f.medOrcaDe, QStringLiteral("9"));
        ExpectAccepted(f);
    });
    EXPECT_EQ(Filtro.NrOrca, (TNrOrcaEven{"0000000009", "0000000010"}));
}

TEST_F(FiltroFechaOrcaValidation, OnlyTheFirstNumberMakesARangeOfOneAtConfirmation) {
    Open([this](TfrmFiltroFechaOrca& f) {
        // Still in the edit: the tool button leaves the focus there, so no exit ran.
        Type(f.medOrcaDe, QStringLiteral("12"));
        ExpectAccepted(f);
    });
    EXPECT_EQ(Filtro.NrOrca, (TNrOrcaEven{"0000000012", "0000000012"}));
}

TEST_F(FiltroFechaOrcaValidation, EachDatePairNeedsBothDatesInOrder) {
    struct TPair {
        TDateEditPlus* TfrmFiltroFechaOrca::*de;
        TDateEditPlus* TfrmFiltroFechaOrca::*ate;
        QString missingDe, missingAte, reversed;
    };
    const TPair pairs[] = {
        {&TfrmFiltroFechaOrca::depDeEvento, &TfrmFiltroFechaOrca::depAteEvento,
         "Data do evento inicial deve ser informada.", "Data do evento final deve ser informada.",
         "Data do evento inicial deve ser menor ou igual à data do evento final."},
        {&TfrmFiltroFechaOrca::depDeEntrega, &TfrmFiltroFechaOrca::depAteEntrega,
         "Data de validade inicial deve ser informada.",
         "Data de validade final deve ser informada.",
         "Data de validade inicial deve ser menor ou igual a data de validade final."},
    };
    for (const TPair& p : pairs) {
        Open([&](TfrmFiltroFechaOrca& f) {
            TDateEditPlus* de = f.*p.de;
            TDateEditPlus* ate = f.*p.ate;
            ate->SetDate(Day(10));
            ExpectRefused(f, p.missingDe, de);
            ate->SetDate(0);
            de->SetDate(Day(10));
            ExpectRefused(f, p.missingAte, ate);
            ate->SetDate(Day(9));
            ExpectRefused(f, p.reversed, de);
            ate->SetDate(Day(10));
            ExpectAccepted(f);
        });
        ASSERT_TRUE(QTest::qWaitFor([] { return frmFiltroFechaOrca == nullptr; }, 5000));
        screen->retrievals.clear();
    }
    EXPECT_EQ(Filtro.DtVali, (TDtValidade{Day(10), Day(10)}));
    EXPECT_EQ(Filtro.DtEven, (TDtEvento{Day(10), Day(10)}));
}

TEST_F(FiltroFechaOrcaValidation, OnlyTheFirstEmptyListIsReportedOnItsListaRadio) {
    stCliente = QStringLiteral("velho");
    Open([this](TfrmFiltroFechaOrca& f) {
        Click(f.rbtLProduto);
        Click(f.rbtLCliente);
        ExpectRefused(f, QStringLiteral("Cliente deve ser informado."), f.rbtLCliente);
        EXPECT_TRUE(f.rbtLCliente->isChecked()); // what the operator chose stays

        // The labour list is checked last, with its own text.
        stCliente = QStringLiteral("F12345678901");
        stProduto = QStringLiteral("11");
        Click(f.rbtLMaoObra);
        ExpectRefused(f, QStringLiteral("Mão de obra deve ser informada."), f.rbtLMaoObra);
        stMaoObra = QStringLiteral("21");
        ExpectAccepted(f);
    });
    EXPECT_EQ(Filtro.CdClie, (TCliente{false, "F12345678901"}));
    EXPECT_EQ(Filtro.CdObra, (TMaoObra{false, "21"}));
}

TEST_F(FiltroFechaOrcaValidation, ChecksRunInOrderAndStopAtTheFirstFailure) {
    Open([this](TfrmFiltroFechaOrca& f) {
        Type(f.medOrcaAte, QStringLiteral("1"));
        Click(f.rbtLVendedor);
        Click(f.chbAprovado);
        f.edtCdVendedor->setText(QStringLiteral("99"));
        ExpectRefused(f, QStringLiteral("Número do orçamento inicial deve ser informado."),
                      f.medOrcaDe);
        f.medOrcaAte->clear();
        Type(f.depDeEvento, QStringLiteral("3102")); // not left: checked at confirmation
        ExpectRefused(f, QStringLiteral("Data inválida."), f.depDeEvento);
        f.depDeEvento->clear();
        ExpectRefused(f, QStringLiteral("Vendedor deve ser informado."), f.rbtLVendedor);
        Click(f.rbtTVendedor);
        FocusOn(f.edtTitulo);
        ExpectRefused(f, QStringLiteral("Situação do orçamento deve ser informada."),
                      f.chbAprovado);
        EXPECT_TRUE(server.Calls().empty()) << "the manager is checked last";
    });
}

TEST_F(FiltroFechaOrcaValidation, ARefusalPutsTheFocusOnItsControlWithoutCheckingTheOneLeft) {
    server.Reply(QStringLiteral("GetGerenteSup"), Managers({}));
    Open([this](TfrmFiltroFechaOrca& f) {
        Type(f.medOrcaAte, QStringLiteral("7"));
        Type(f.edtCdVendedor, QStringLiteral("12"));
        // The refusal's move from the manager code is not the operator leaving it.
        ExpectRefused(f, QStringLiteral("Número do orçamento inicial deve ser informado."),
                      f.medOrcaDe);
        EXPECT_TRUE(server.CallsOf(QStringLiteral("GetGerenteSup")).empty());
    });
}

TEST_F(FiltroFechaOrcaValidation, AManagerCodeIsZeroFilledAndMustBeOnTheServer) {
    server.On(QStringLiteral("GetGerenteSup"), [](const QVariantList& args) {
        return TServerReply::Success(
            args.value(0).toString() == u"0009" ? Managers({{"0009", "Carla"}}) : Managers({}));
    });
    Open([this](TfrmFiltroFechaOrca& f) {
        Type(f.edtCdVendedor, QStringLiteral("12"));
        TabFrom(f.edtCdVendedor);
        EXPECT_EQ(dialogs.Texts(TKind::Error), QStringList{"Gerente/Supervisor não cadastrado."});
        EXPECT_EQ(QApplication::focusWidget(), f.edtCdVendedor);
        EXPECT_EQ(f.edtCdVendedor->text(), QStringLiteral("0012"));

        dialogs.Clear();
        f.edtCdVendedor->setText(QStringLiteral("9"));
        TabFrom(f.edtCdVendedor);
        EXPECT_TRUE(dialogs.Texts().isEmpty());
        EXPECT_EQ(f.edtCdVendedor->text(), QStringLiteral("0009"));
        EXPECT_EQ(f.edtNmVendedor->text(), QStringLiteral("Carla"));
        EXPECT_NE(QApplication::focusWidget(), f.edtCdVendedor);

        // Any change of the code empties the name.
        Type(f.edtCdVendedor, QStringLiteral("1"));
        EXPECT_EQ(f.edtNmVendedor->text(), QString());
        f.edtCdVendedor->setText(QStringLiteral("0009"));
        EXPECT_EQ(f.edtNmVendedor->text(), QString());
        ExpectAccepted(f);
    });
    EXPECT_EQ(Filtro.CdGerenteSup, QStringLiteral("0009"));
    EXPECT_EQ(Filtro.NmGerenteSup, QStringLiteral("Carla"));
    QStringList asked;
    for (const auto& call : server.CallsOf(QStringLiteral("GetGerenteSup")))
        asked << call.args.value(0).toString();
    EXPECT_EQ(asked, (QStringList{"0012", "0009", "0009"}));
    EXPECT_EQ(server.Calls().front().server, QStringLiteral("ORE00800.rdmFechaOrca"));
}

TEST_F(FiltroFechaOrcaValidation, AFailedManagerCallKeepsTheNameAndNoCodeIsNoCall) {
    Filtro.CdGerenteSup = QStringLiteral("0009");
    Filtro.NmGerenteSup = QStringLiteral("Carla");
    server.Refuse(QStringLiteral("GetGerenteSup"), QStringLiteral("Servidor em manutenção."));
    Open([this](TfrmFiltroFechaOrca& f) {
        ExpectRefused(f, QStringLiteral("Servidor em manutenção."), QApplication::focusWidget());
        EXPECT_EQ(f.edtNmVendedor->text(), QStringLiteral("Carla"));
        Type(f.edtCdVendedor, QString());
        EXPECT_EQ(f.edtNmVendedor->text(), QString());
        TabFrom(f.edtCdVendedor);
        ExpectAccepted(f);
    });
    EXPECT_EQ(server.CallsOf(QStringLiteral("GetGerenteSup")).size(), 1u);
    EXPECT_EQ(Filtro.CdGerenteSup, QString());
    EXPECT_EQ(Filtro.NmGerenteSup, QString());
}

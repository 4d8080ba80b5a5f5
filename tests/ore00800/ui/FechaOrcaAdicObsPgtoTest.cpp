// The pages "Dados Adicionais", "Observação" and "Forma de Pagamento" as an
// operator browses budgets on them: what each shows for the current budget,
// what the payment page fetches, and that payment data is only looked at.

#include "tests/ore00800/support/FechaOrcaTestUtil.h"

#include "core/layouts/OrcaLayouts.h"
#include "framework/widgets/BtnPesquisa.h"
#include "framework/widgets/DBCheckBox.h"
#include "framework/widgets/DBEdit.h"
#include "framework/widgets/DBGrid.h"
#include "framework/widgets/DBNavigator.h"
#include "framework/widgets/DBRadioGroup.h"
#include "framework/widgets/DBRichView.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QSpinBox>

using namespace Qt::StringLiterals;

namespace {

TPacketRow Budget(int n, const TPacketRow& extra = {}) {
    TPacketRow row = BudgetRow(u"%1"_s.arg(n, 10, 10, QLatin1Char('0')), u"00"_s, u"2"_s);
    row.insert(row.end(), extra.begin(), extra.end());
    return row;
}

TPacketRow Paid(int n, const QString& kind, double day = 0, double parcels = 0) {
    return Budget(n, {{u"IDTPFORMPGTOREV"_s, kind},
                      {u"NRDIAPGTOREV"_s, day ? QVariant(day) : QVariant()},
                      {u"QTPARCPGTOREV"_s, parcels ? QVariant(parcels) : QVariant()}});
}

class FechaOrcaAdicObsPgto : public FechaOrcaTest {
protected:
    void SetUp() override {
        FechaOrcaTest::SetUp();
        if (HasFatalFailure())
            return;
        s = &Open();
        server.Reply(u"GetPrazoPgto"_s, QVariant::fromValue(MakePacket(
                                            LayoutPrazoPgto(), {{{u"QTDIASPGTOREV"_s, 30.0}},
                                                                {{u"QTDIASPGTOREV"_s, 60.0}}})));
    }

    // Lists budgets as the operator does: leaving the branch bar for the list
    // opens the filter, whose confirmation retrieves them.
    void Browse(const TOrcaEventoRows& rows) {
        server.Reply(u"GetOrcaEvento"_s, OrcaEventoDetailsAnswer(rows));
        TModalHook hook([](QDialog& filter) { ClickIn(filter, "sbtConfirma"); });
        s->dbgPadrao->setFocus(Qt::MouseFocusReason);
        Settle();
        Reactivate(*s);
        ASSERT_EQ(s->data.cdsOrcaEvento->RecordCount(), int(rows.budgets.size()));
    }
    void Browse(const std::vector<TPacketRow>& budgets) { Browse({budgets, {}, {}, {}, {}, {}}); }

    static void Show(QAction* entry) {
        entry->trigger();
        Settle();
    }
    void Next() { Click(s->dbnPadrao->findChild<QToolButton*>(u"btnNext"_s)); }
    int PrazoCalls() const { return int(server.CallsOf(u"GetPrazoPgto"_s).size()); }

    TfrmFechaOrca* s = nullptr;
};

} // namespace

TEST_F(FechaOrcaAdicObsPgto, PaymentPageFollowsEachBudgetsKindAndStaysLocked) {
    const struct {
        TPacketRow budget;
        int item;
        const char *day, *parcels;
        bool terms;
        int prazoCalls;
    } steps[] = {
        {Paid(1, u"F"_s, 10, 3), 1, "10", "3", false, 0},
        // Unknown: nothing changes but what the radio group's binding shows.
        {Paid(2, u"Q"_s), -1, "10", "3", false, 0},
        // "X" is what "Sem Forma de Pagamento" stores: the day and instalments go.
        {Paid(3, u"X"_s), 0, "", "", false, 0},
        {Paid(4, u"V"_s), 2, "", "", true, 1},
        {Paid(5, u"Q"_s), -1, "", "", true, 1},
        {Paid(6, u"F"_s, 5, 12), 1, "5", "12", false, 1},
        {Paid(7, QString()), 0, "", "", false, 1},
    };
    std::vector<TPacketRow> budgets;
    for (const auto& step : steps)
        budgets.push_back(step.budget);
    Browse(budgets);
    Show(s->mnuFormaPgto);
    for (const auto& step : steps) {
        SCOPED_TRACE(step.budget[1].second.toString().toStdString());
        EXPECT_EQ(s->drgFormPgto->ItemIndex(), step.item);
        EXPECT_EQ(s->speDiaFixo->text(), QLatin1String(step.day));
        EXPECT_EQ(s->speParcela->text(), QLatin1String(step.parcels));
        EXPECT_EQ(s->dbgPrazoPgClie->isVisible(), step.terms);
        EXPECT_EQ(PrazoCalls(), step.prazoCalls);
        for (QWidget* w : std::initializer_list<QWidget*>{
                 s->btpFormPgto, s->dbeCDFORMPGTO, s->speDiaFixo, s->speParcela, s->lblCom,
                 s->lblParcelas, s->dckProxMes, s->lblParenteses})
            EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
        EXPECT_FALSE(s->dbgPrazoPgClie->Options().testFlag(TGridOption::Editing));
        Next();
    }
    EXPECT_EQ(server.CallsOf(u"GetPrazoPgto"_s)[0].args,
              (QVariantList{u"0001"_s, u"0000000004"_s, u"00"_s}));
    EXPECT_EQ(s->data.cdsPrazoPgto->RecordCount(), 2);
}

TEST_F(FechaOrcaAdicObsPgto, WhileEditedTermsAreNotFetchedAndDeleteReachesTheirGrid) {
    Browse({Paid(1, u"F"_s, 10, 3),
            Budget(2, {{u"IDTPFORMPGTOREV"_s, u"V"_s}, {u"DSTITUORCEVE"_s, u"Formatura"_s}})});
    Show(s->mnuFormaPgto);
    Show(s->mnuFolhaDados);
    Next();
    TDBGrid* grid = s->dbgPrazoPgClie;
    // The grid as designed, editing: the key rule must hold by itself.
    auto pressDelete = [&](Qt::KeyboardModifiers mods) {
        grid->SetOptions(grid->Options() | TGridOption::Editing);
        grid->setFocus();
        QTest::keyClick(grid, Qt::Key_Delete, mods);
    };
    Show(s->mnuFormaPgto);
    for (auto mods : {Qt::NoModifier, Qt::ControlModifier, Qt::ShiftModifier, Qt::AltModifier})
        pressDelete(mods);
    EXPECT_TRUE(dialogs.Texts().isEmpty());
    ASSERT_EQ(PrazoCalls(), 1);

    Click(s->sbtAlterar); // "Dados Adicionais", in edit
    // Only the contracting client is edited here.
    auto* titulo = s->findChild<TDBEdit*>(u"dbeDSTITUORCEVE"_s);
    titulo->setFocus();
    QTest::keyClicks(titulo, u"X"_s);
    EXPECT_EQ(titulo->text(), u"Formatura"_s);

    grid->hide(); // as a budget of another kind leaves it
    Show(s->mnuFormaPgto);
    EXPECT_TRUE(grid->isVisible());
    EXPECT_EQ(PrazoCalls(), 1);
    dialogs.Answer(false);
    pressDelete(Qt::ControlModifier);
    EXPECT_EQ(dialogs.Texts(), QStringList{u"Confirma a exclusão do registro?"_s});
}

TEST_F(FechaOrcaAdicObsPgto, AdditionalDataShowsAddressKindAndBookingTexts) {
    const char* states[] = {"a", "r", "X", ""};
    std::vector<TPacketRow> halls;
    for (const char* state : states)
        halls.push_back({{u"IDSITAGENSAL"_s, QLatin1String(state)}});
    server.Reply(u"GetSalaoEven"_s, QVariant::fromValue(MakePacket(LayoutSalaoEven(), halls)));
    const struct {
        const char* kind;
        QString shown;
    } kinds[] = {{"P", u"Endereço do Salão"_s},
                 {"C", u"Endereço do Cliente"_s},
                 {"Z", u"Outro Endereço"_s},
                 {"P", u"Endereço do Salão"_s},
                 {"", u"Outro Endereço"_s}};
    std::vector<TPacketRow> budgets;
    for (const auto& k : kinds)
        budgets.push_back(
            Budget(int(budgets.size()), {{u"IDENDENTOREV"_s, QLatin1String(k.kind)}}));
    Browse(budgets);
    Show(s->mnuDadosAdic);
    for (const auto& k : kinds) {
        EXPECT_EQ(s->cbbEndeCliente->currentText(), k.shown) << k.kind;
        Next();
    }
    const QAbstractItemModel* model = s->dbgSalaoEven->model();
    const QString shown[] = {u"Agendado"_s, u"Reservado"_s, QString(), QString()};
    for (int row = 0; row < 4; ++row)
        EXPECT_EQ(model->index(row, 2).data().toString(), shown[row]) << states[row];
}

TEST_F(FechaOrcaAdicObsPgto, ObservationsShowTheSelectedDepartmentsText) {
    auto obs = [](int n, const char* field, const QString& text) {
        return TPacketRow{{u"NRORCAEVENTO"_s, u"%1"_s.arg(n, 10, 10, QLatin1Char('0'))},
                          {u"NRSEQORCAEVE"_s, u"00"_s},
                          {QLatin1String(field), text}};
    };
    Browse(
        {{Budget(1), Budget(2)},
         {},
         {},
         {},
         {obs(2, "TXOBSEXTOREV", u"Externa do 2"_s)},
         {obs(1, "TXOBSINTOREV", u"{\\rtf1 Sem gl\\'faten}"_s),
          obs(1, "TXOBSINTOREV", u"Entrega pela lateral"_s), obs(2, "TXOBSINTOREV", u"Outro"_s)}});
    Show(s->mnuObsInt);
    EXPECT_EQ(s->dbrObsInt->toPlainText(), u"Sem glúten"_s);
    TDBGrid* departments = s->dbgObsIntOrcaEv;
    QTest::mouseClick(departments->viewport(), Qt::LeftButton, {},
                      departments->visualRect(departments->model()->index(1, 1)).center());
    EXPECT_EQ(s->dbrObsInt->toPlainText(), u"Entrega pela lateral"_s);
    Next();
    EXPECT_EQ(s->dbrObsInt->toPlainText(), u"Outro"_s);
    Show(s->mnuObsExt);
    EXPECT_EQ(s->dbrObsExt->toPlainText(), u"Externa do 2"_s);
}

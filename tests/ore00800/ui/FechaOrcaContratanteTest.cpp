// The contracting client's edit cycle as the operator goes through it: alter,
// type a registration number, leave the box, confirm or cancel; what reaches
// the server after each post; and when budget processing is offered.

#include "tests/ore00800/support/FechaOrcaTestUtil.h"

#include "core/db/SqlStatement.h"
#include "framework/widgets/BtnPesquisa.h"
#include "framework/widgets/DBGrid.h"
#include "framework/widgets/MaskEdit.h"
#include "framework/widgets/PageControl.h"
#include "framework/widgets/TabSheet.h"

#include <QAction>
#include <QGroupBox>
#include <QLineEdit>
#include <QTableView>

namespace {

using TKind = TFakeDialogs::TKind;

const QString kNaoCad = QStringLiteral("Cliente contratante não cadastrado.");
// Pedro Alves, an active client of the demo database.
const QString kPedroNr = QStringLiteral("52998224725");
const QString kPedro = QStringLiteral("F52998224725");

// A budget of branch 0001, with Banco Aurora or Pedro Alves as its
// contracting client when `contratante` gives their registration number.
TPacketRow Budget(const QString& nr, const QString& situ, const QString& contratante = {}) {
    TPacketRow row = BudgetRow(nr, QStringLiteral("00"), situ);
    if (!contratante.isEmpty()) {
        const QString kind = contratante == kPedroNr ? QStringLiteral("F") : QStringLiteral("J");
        row.emplace_back(QStringLiteral("CDCLICONTORC"), kind + contratante);
        row.emplace_back(QStringLiteral("NRINSJURCONT"), contratante);
        row.emplace_back(QStringLiteral("IDTPIJURCONT"), kind);
        row.emplace_back(QStringLiteral("NMFANTCONT"), kind == u"F"
                                                           ? QStringLiteral("Pedro Alves")
                                                           : QStringLiteral("Banco Aurora"));
    }
    return row;
}

class FechaOrcaContratante : public FechaOrcaTest {
protected:
    void SetUp() override {
        FechaOrcaTest::SetUp();
        if (!HasFatalFailure())
            s = &Open();
        server.Reply(QStringLiteral("SetClieContratante"), true);
    }

    // Lists `budgets` and takes the focus out of the branch bar (whose exit
    // offers the filter, cancelled here) to the list.
    void ListAndBrowse(const std::vector<TPacketRow>& budgets) {
        List(*s, budgets);
        {
            TModalHook hook([](QDialog& filter) { ClickIn(filter, "sbtCancel"); });
            s->dbgPadrao->setFocus(Qt::MouseFocusReason);
            Settle();
        }
        Reactivate(*s);
        server.Clear();
        busy.Clear();
    }

    void Type(const QString& keys) {
        QTest::mouseClick(s->dbeCliContrat, Qt::LeftButton);
        Settle();
        QTest::keyClicks(s->dbeCliContrat, keys);
        Settle();
    }
    void Key(Qt::Key key, Qt::KeyboardModifiers mods = {}) {
        QTest::keyClick(QApplication::focusWidget(), key, mods);
        Settle();
    }

    QStringList Sent() const {
        QStringList sent;
        for (const auto& c : server.CallsOf(QStringLiteral("SetClieContratante")))
            sent << c.args[0].toString() + u'|' + c.args[1].toString() + u'|' +
                        c.args[2].toString();
        return sent;
    }
    QString Field(const char* name) const {
        return s->data.cdsOrcaEvento->FieldByName(QLatin1String(name)).AsString();
    }
    TDataSetState State() const { return s->data.cdsOrcaEvento->State(); }

    TfrmFechaOrca* s = nullptr;
};

} // namespace

TEST_F(FechaOrcaContratante, AnUnknownNumberKeepsTheOperatorInTheBoxAKnownOneIsStored) {
    ListAndBrowse({Budget(QStringLiteral("0000000101"), QStringLiteral("2"))});
    Click(s->sbtAlterar);
    ASSERT_EQ(s->pgcPadrao->ActivePage(), s->tshDadosAdic);
    ASSERT_EQ(State(), TDataSetState::Edit);
    ASSERT_TRUE(s->GroupBox7->isVisible());

    // Letters and signs never reach the box.
    Type(QStringLiteral("11a1.11-1x11111"));
    EXPECT_EQ(s->dbeCliContrat->text(), QStringLiteral("11111111111"));
    QWidget* focusAtMessage = nullptr;
    dialogs.OnShow = [&](const TFakeDialogs::TShown&) {
        focusAtMessage = QApplication::focusWidget();
    };
    Key(Qt::Key_Tab);
    Click(s->sbtConfirmar);
    EXPECT_EQ(dialogs.Texts(TKind::Error), (QStringList{kNaoCad, kNaoCad}));
    EXPECT_EQ(focusAtMessage, s->dbeCliContrat);
    EXPECT_EQ(QApplication::focusWidget(), s->dbeCliContrat);
    EXPECT_EQ(State(), TDataSetState::Edit);
    EXPECT_TRUE(Sent().isEmpty());

    dialogs.Clear();
    Key(Qt::Key_End);
    Key(Qt::Key_Home, Qt::ShiftModifier);
    QTest::keyClicks(s->dbeCliContrat, kPedroNr);
    // Enter alone looks nothing up; leaving the box does.
    Key(Qt::Key_Return);
    EXPECT_EQ(Field("CDCLICONTORC"), QString());
    Key(Qt::Key_Tab);
    EXPECT_TRUE(dialogs.Shown().empty()) << dialogs.Texts().join(u'\n').toStdString();
    EXPECT_EQ(s->DBEdit13->text(), QStringLiteral("Pedro Henrique Alves"));
    EXPECT_EQ(s->dbeCliContrat->text(), QStringLiteral("529.982.247-25"));
    EXPECT_EQ(Field("NMFANTCONT"), QStringLiteral("Pedro Alves"));
    EXPECT_EQ(s->data.cdsOrcaEvento->FieldByName("NRINSJURCONT").DisplayText(),
              QStringLiteral("529.982.247-25"));

    busy.Clear();
    Click(s->sbtConfirmar);
    EXPECT_EQ(State(), TDataSetState::Browse);
    EXPECT_EQ(Sent(), QStringList{kPedro + QStringLiteral("|0001|0000000101")});
    EXPECT_EQ(busy.Log(), (QStringList{QStringLiteral("Active(6)"), QStringLiteral("Deactive")}));
}

TEST_F(FechaOrcaContratante, TypingOverABrowsedBudgetStartsANewNumberAndAnEmptyOneClearsIt) {
    ListAndBrowse({Budget(QStringLiteral("0000000101"), QStringLiteral("2"),
                          QStringLiteral("60701190000104"))});
    s->mnuDadosAdic->trigger();
    Settle();
    // Moving through the box changes nothing.
    QTest::mouseClick(s->dbeCliContrat, Qt::LeftButton);
    Key(Qt::Key_Return);
    EXPECT_EQ(State(), TDataSetState::Browse);

    Type(kPedroNr);
    EXPECT_EQ(State(), TDataSetState::Edit);
    EXPECT_EQ(s->dbeCliContrat->text(), kPedroNr);
    EXPECT_EQ(s->DBEdit13->text(), QString());
    Click(s->sbtCancelar);
    EXPECT_EQ(State(), TDataSetState::Browse);
    EXPECT_EQ(s->dbeCliContrat->text(), QStringLiteral("60.701.190/0001-04"));
    EXPECT_EQ(s->DBEdit13->text(), QStringLiteral("Banco Aurora"));

    // Altered from the list, the number stays until the operator empties the box.
    s->mnuFolhaDados->trigger();
    Click(s->sbtAlterar);
    EXPECT_EQ(s->dbeCliContrat->text(), QStringLiteral("60.701.190/0001-04"));
    QTest::mouseClick(s->dbeCliContrat, Qt::LeftButton);
    Key(Qt::Key_End);
    Key(Qt::Key_Home, Qt::ShiftModifier);
    Key(Qt::Key_Backspace);
    EXPECT_EQ(s->dbeCliContrat->text(), QString());
    Click(s->sbtConfirmar);
    EXPECT_EQ(Sent(), QStringList{QStringLiteral("|0001|0000000101")});
    for (const char* f : {"CDCLICONTORC", "NRINSJURCONT", "IDTPIJURCONT", "NMFANTCONT"})
        EXPECT_EQ(Field(f), QString()) << f;
}

TEST_F(FechaOrcaContratante, TheLookupReadsTheClientsAfreshAndThePickStartsTheEdit) {
    ListAndBrowse({Budget(QStringLiteral("0000000101"), QStringLiteral("2"), kPedroNr)});
    s->mnuDadosAdic->trigger();
    Settle();
    {
        // Listed once and left: the rows stay in the query.
        TModalHook hook([](QDialog&) {});
        Click(s->BtnPesquisa6);
        ASSERT_EQ(hook.Opened(), 1);
    }
    ExecSql(Db(),
            QStringLiteral("INSERT INTO CLIENTE (CDCLIENTE, IDTPIJURCLIE, NRINSJURCLIE, "
                           "NMRAZSOCCLIE, NMFANTCLIE) VALUES ('J11222333000181', 'J', "
                           "'11222333000181', 'Flora Bella Decorações Ltda.', 'Flora Bella')"));
    QString listed;
    TModalHook hook([&](QDialog& search) {
        QTest::keyClicks(search.focusWidget(), QStringLiteral("Flora"));
        const QTableView* list = search.findChild<QTableView*>();
        listed = list->model()->index(list->currentIndex().row(), 0).data().toString();
        QTest::keyClick(search.focusWidget(), Qt::Key_Return);
    });
    Click(s->BtnPesquisa6);
    EXPECT_EQ(listed, QStringLiteral("11.222.333/0001-81"));
    EXPECT_EQ(State(), TDataSetState::Edit);
    EXPECT_EQ(Field("CDCLICONTORC"), QStringLiteral("J11222333000181"));
    EXPECT_EQ(Field("NRINSJURCONT"), QStringLiteral("11222333000181"));
    EXPECT_EQ(Field("IDTPIJURCONT"), QStringLiteral("J"));
    EXPECT_EQ(Field("NMFANTCONT"), QStringLiteral("Flora Bella"));
    // The company's whole number, although the box held an individual's.
    EXPECT_EQ(s->dbeCliContrat->text(), QStringLiteral("11.222.333/0001-81"));
    EXPECT_EQ(s->DBEdit13->text(), QStringLiteral("Flora Bella Decorações Ltda."));
}

TEST_F(FechaOrcaContratante, AFailedSendLeavesThePostAndEveryLaterPostSendsAgain) {
    ListAndBrowse({Budget(QStringLiteral("0000000101"), QStringLiteral("2")),
                   Budget(QStringLiteral("0000000102"), QStringLiteral("2"),
                          QStringLiteral("60701190000104"))});
    server.Refuse(QStringLiteral("SetClieContratante"), QStringLiteral("Servidor indisponível."));
    Click(s->sbtAlterar);
    Type(kPedroNr);
    Click(s->sbtConfirmar);
    EXPECT_EQ(dialogs.Texts(TKind::Error), QStringList{QStringLiteral("Servidor indisponível.")});
    EXPECT_EQ(busy.Depth(), 0);
    EXPECT_EQ(State(), TDataSetState::Browse);
    EXPECT_EQ(Field("CDCLICONTORC"), kPedro);

    // The next budget's post, as a closing makes it, sends that budget's client.
    server.Reply(QStringLiteral("SetClieContratante"), true);
    server.Clear();
    TRecordSet& orca = *s->data.cdsOrcaEvento;
    ASSERT_TRUE(Dispatch([&] {
        orca.Next();
        orca.Edit();
        orca.Post();
    }));
    EXPECT_EQ(Sent(), QStringList{QStringLiteral("J60701190000104|0001|0000000102")});
}

TEST_F(FechaOrcaContratante, TheClosingsClientCheckSearchesByRegistrationThenByCode) {
    ListAndBrowse({Budget(QStringLiteral("0000000101"), QStringLiteral("2"))});
    TRecordSet& orca = *s->data.cdsOrcaEvento;
    // From the browse state, as a closing begun there calls it: nothing.
    ASSERT_TRUE(Dispatch([&] { s->Vd_Cliente(true); }));

    Click(s->sbtAlterar);
    Type(kPedroNr);
    struct Case {
        const char* number; // as stored on the row, mask literals and all
        const char* code;
        const char* found; // NMFANTCONT after the check; null: refused
    } cases[] = {
        {"529.982.247-25", "", "Pedro Alves"},              // by registration and its kind
        {"52998224725", "J60701190000104", "Banco Aurora"}, // by code
        {"74185296300", "", nullptr},                       // an inactive client
        {"5299822472", "", nullptr},                        // no kind of that length
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.number);
        ASSERT_TRUE(Dispatch([&] {
            orca.FieldByName("NRINSJURCONT").SetAsString(QLatin1String(c.number));
            orca.FieldByName("CDCLICONTORC").SetAsString(QLatin1String(c.code));
            orca.FieldByName("NMFANTCONT").SetAsString(QString());
        }));
        ASSERT_EQ(QApplication::focusWidget(), s->dbeCliContrat);
        dialogs.Clear();
        server.Clear();
        const bool passed = Dispatch([&] { s->Vd_Cliente(true); });
        EXPECT_EQ(passed, c.found != nullptr);
        EXPECT_EQ(Field("NMFANTCONT"), c.found ? QString::fromUtf8(c.found) : QString());
        EXPECT_EQ(dialogs.Texts(), c.found ? QStringList() : QStringList{kNaoCad});
        // A refusal runs the page routine again, which reads the halls.
        EXPECT_EQ(server.CallsOf(QStringLiteral("GetSalaoEven")).empty(), passed);
    }
}

TEST_F(FechaOrcaContratante, ProcessingIsOfferedForClosedBudgetsOfNoCancelledChildWithTheRights) {
    for (const bool rights : {true, false}) {
        SCOPED_TRACE(rights);
        if (!rights) {
            s->close();
            ScriptRights(QStringLiteral("SEMACESSO"), QStringLiteral("ORE06400"));
            s = &Open();
        }
        TPacketRow closedChild = Budget(QStringLiteral("0000000103"), QStringLiteral("3"));
        closedChild.emplace_back(QStringLiteral("IDORCAFILHODISTRATO"), QStringLiteral("S"));
        TPacketRow closed = Budget(QStringLiteral("0000000101"), QStringLiteral("3"));
        closed.emplace_back(QStringLiteral("IDORCAFILHODISTRATO"), QStringLiteral("N"));
        TPacketRow approved = Budget(QStringLiteral("0000000102"), QStringLiteral("2"));
        approved.emplace_back(QStringLiteral("IDORCAFILHODISTRATO"), QStringLiteral("N"));
        ListAndBrowse({closed, approved, closedChild});
        for (const bool offered : {rights, false, false}) {
            EXPECT_EQ(!s->sbtProcOrca->isHidden(), offered) << s->data.cdsOrcaEvento->RecNo();
            EXPECT_EQ(s->mnuProcOrca->isVisible(), offered) << s->data.cdsOrcaEvento->RecNo();
            Key(Qt::Key_Down);
        }
    }
}

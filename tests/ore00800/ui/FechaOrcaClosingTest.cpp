// Closing a budget as the operator runs it with "Fechar" or Ctrl+O: the
// checks in their order, the neighbour screens, what each refusal shows and
// leaves behind, and the closing call's outcome; and the hand-off to budget
// processing.

#include "tests/ore00800/support/FechaOrcaTestUtil.h"

#include "core/data/Exceptions.h"
#include "core/layouts/ControlLayouts.h"
#include "core/layouts/OrcaLayouts.h"
#include "framework/services/Handles.h"
#include "framework/widgets/MaskEdit.h"
#include "framework/widgets/PageControl.h"
#include "framework/widgets/TabSheet.h"
#include "tests/support/FakeScreenLoader.h"

#include <QLabel>
#include <QLineEdit>

namespace {

using TKind = TFakeDialogs::TKind;

const QString kNr = QStringLiteral("0000000101");
const QString kSucesso = QStringLiteral("Fechamento realizado com sucesso.");
const QString kCliNCad = QStringLiteral(
    "Para fechar o orçamento o cliente deve estar cadastrado. Informe os dados do cliente na "
    "tela de endereço do cliente.");
const QString kMobraExtra = QStringLiteral("O orçamento possui mão de obra extra que irá afetar "
                                           "o valor das contas. Deseja continuar?");

TPacketRow Budget(const QString& seq, const QString& situ, const QString& idSitClie) {
    TPacketRow row = BudgetRow(kNr, seq, situ);
    for (auto& [field, value] : row)
        if (field == u"IDSITCLIOREV")
            value = idSitClie;
    return row;
}

TPacketRow Labour(const QString& nr, const QString& seq, const QString& extra) {
    return {{QStringLiteral("NRORCAEVENTO"), nr},
            {QStringLiteral("NRSEQORCAEVE"), seq},
            {QStringLiteral("IDMOBRAEXTRA"), extra}};
}

QVariant Packet(const TFieldDefs& layout, const std::vector<TPacketRow>& rows) {
    return QVariant::fromValue(MakePacket(layout, rows));
}

// A field of the current row of a packet sent to the server.
QString SentField(const QVariant& packet, const char* field, int recNo = 1) {
    TRecordSet rs;
    rs.SetData(packet.value<TDataPacket>());
    rs.SetRecNo(recNo);
    return rs.FieldByName(QLatin1String(field)).AsString();
}

class FechaOrcaClosing : public FechaOrcaTest {
protected:
    void SetUp() override {
        FechaOrcaTest::SetUp();
        if (HasFatalFailure())
            return;
        s = &Open();
        server.Reply("SetClieContratante", true);
        ScriptPassing();
        server.Reply("FecharOrca", QVariant());
        server.Reply("GetVerifOrcaFecha", Packet(LayoutVerifOrcaFecha(), {}));
        // What the operator sees and what the screen does, in order.
        server.OnCall = [this](const TFakeServer::TCall& c) { log << c.method; };
        loader.OnOpen = [this](const QString& code, const QVariantList& params) {
            log << code;
            if (code == u"ORE00105" && onAddress)
                onAddress(params);
        };
        dialogs.OnShow = [this](const TFakeDialogs::TShown& box) {
            log << (busy.Depth() ? QStringLiteral("[busy] ") : QString()) + box.text;
            focusAtBox = QApplication::focusWidget();
            pageAtBox = s->pgcPadrao->ActivePage();
        };
    }

    // The contracting clients of a budget that passes every check.
    void ScriptPassing() {
        server.Reply("GetExisteContratante",
                     Packet(LayoutExisteContratante(), {{{"CDCLIENCONTORCA", "F52998224725"}}}));
        for (const char* check : {"GetVdContraCancelado", "GetVdValor", "GetVdValorNegativo"})
            server.Reply(check, QVariantList{QString()});
        server.Reply("GetVdTipoEveCustEfet", QVariantList{QStringLiteral("S")});
        server.Reply("GetQtContratantes", true);
    }

    void ListOne(const TPacketRow& budget, const std::vector<TPacketRow>& labour = {}) {
        ListDetails(*s, TOrcaEventoRows{{budget}, {}, {}, labour, {}, {}});
        server.Clear();
        busy.Clear();
        dialogs.Clear();
        log.clear();
    }

    // The client-address screen confirmed: one row with the budget's key.
    void AddressScreenWrites(const QString& number, const QString& kind = QStringLiteral("J")) {
        onAddress = [number, kind](const QVariantList& params) {
            TDataSet* ende = DataSourceFromHandle(params[4].toInt())->DataSet();
            ende->Append();
            const QStringList values = {params[0].toString(),
                                        params[1].toString(),
                                        params[2].toString(),
                                        number,
                                        kind,
                                        QStringLiteral("Buffet Aurora")};
            const char* fields[] = {"CDFILIAL",     "NRORCAEVENTO", "NRSEQORCAEVE",
                                    "NRINSJURORCA", "IDTPINJUORCA", "NMFANTCLIE"};
            for (int i = 0; i < 6; ++i)
                ende->FieldByName(QLatin1String(fields[i])).SetAsString(values[i]);
            ende->Post();
        };
    }

    // A budget whose processing is offered once closed.
    void ListClosable(const QString& situ) {
        TPacketRow budget = BudgetRow(kNr, QStringLiteral("00"), situ);
        budget.emplace_back(QStringLiteral("IDORCAFILHODISTRATO"), QStringLiteral("N"));
        ListOne(budget);
    }

    QString Field(const char* name) const {
        return s->data.cdsOrcaEvento->FieldByName(QLatin1String(name)).AsString();
    }

    TfrmFechaOrca* s = nullptr;
    TFakeScreenLoader loader;
    std::function<void(const QVariantList&)> onAddress;
    QStringList log;
    QWidget* focusAtBox = nullptr;
    TTabSheet* pageAtBox = nullptr;
};

TEST_F(FechaOrcaClosing, AnUnregisteredCustomerIsRegisteredAndTheBudgetClosedInOrder) {
    ListOne(Budget("00", "2", "N"), {Labour(kNr, "00", "S"), Labour(kNr, "00", "S")});
    AddressScreenWrites(QStringLiteral("12345678000190"));
    dialogs.Answer(true);
    Click(s->sbtFecharOrca);

    EXPECT_EQ(log, (QStringList{kMobraExtra, kCliNCad, "ORE00105",
                                // the customer's post stores the contracting client
                                "SetClieContratante", "ORE09000", "GetExisteContratante",
                                "GetVdContraCancelado", "GetVdValor", "GetVdValorNegativo",
                                "GetVdTipoEveCustEfet", "GetQtContratantes",
                                // and so does the mark's
                                "SetClieContratante", "FecharOrca", "GetVerifOrcaFecha",
                                "[busy] " + kSucesso, "GetOrcaEvento", "GetSalaoEven"}));
    EXPECT_EQ(dialogs.Texts(TKind::Information), (QStringList{kCliNCad, kSucesso}));
    EXPECT_EQ(busy.Log().mid(0, 2), (QStringList{"Active(6)", "Deactive"}));
    EXPECT_EQ(busy.Log().mid(4, 2), (QStringList{"Active(1)", "Deactive"}));
    EXPECT_EQ(busy.Depth(), 0);

    const auto loads = loader.Loads();
    ASSERT_EQ(loads.size(), 2u);
    const QVariantList address = loads[0].params;
    ASSERT_EQ(address.size(), 6);
    EXPECT_EQ(address.mid(0, 4), (QVariantList{"0001", kNr, "00", true}));
    EXPECT_EQ(DataSourceFromHandle(address[4].toInt()), s->data.dtsEndeNovoClie);
    EXPECT_EQ(DataSourceFromHandle(address[5].toInt()), s->data.dtsInteclieOrev);
    EXPECT_EQ(loads[1].params, (QVariantList{"0001", kNr, "00", "ORE00800"}));
    for (const auto& check : server.CallsOf("GetVdValor"))
        EXPECT_EQ(check.args, (QVariantList{"0001", kNr, "00"}));

    const auto closing = server.CallsOf("FecharOrca");
    ASSERT_EQ(closing.size(), 1u);
    ASSERT_EQ(closing[0].args.size(), 3);
    const QVariant list = closing[0].args[0];
    EXPECT_EQ(SentField(list, "IDMARCADO"), "S");
    EXPECT_EQ(SentField(list, "CDCLIENTE"), "J12345678000190");
    EXPECT_EQ(SentField(list, "NRINSJURCLIE"), "12345678000190");
    EXPECT_EQ(SentField(list, "NMFANTCLIE"), "Buffet Aurora");
    EXPECT_EQ(SentField(list, "IDSITCLIOREV"), "C");
    EXPECT_EQ(SentField(list, "NMCLIEORCEVE"), "");
    EXPECT_EQ(closing[0].args[1], "MARIA");
    EXPECT_EQ(SentField(closing[0].args[2], "NRINSJURORCA"), "12345678000190");
}

TEST_F(FechaOrcaClosing, EachRefusalBeforeTheCallEndsTheRunWithItsText) {
    const struct {
        const char* name;
        QString situ;
        const char* method; // answers `answer` instead of passing
        QVariant answer;
        QString shown;
        bool focusMoved; // to the control of the budget's number
    } rows[] = {
        {"closed", "3", nullptr, {}, QStringLiteral("Orçamento já está fechado."), false},
        {"no contracting client", "2", "GetExisteContratante",
         Packet(LayoutExisteContratante(), {}),
         QStringLiteral("Não há contratante informado para o orçamento. Fechamento bloqueado."),
         false},
        {"all cancelled", "2", "GetVdContraCancelado",
         QVariantList{QStringLiteral("CONTRAT_CANCELADO")},
         QStringLiteral("Todos os contratantes estão cancelados. Ao menos um contratante deve "
                        "ser incluído."),
         false},
        {"value", "2", "GetVdValor", QVariantList{QStringLiteral("SOMA_DIFER_REALIZADO")},
         QStringLiteral("A soma do valor cobrado dos contratantes é diferente do valor realizado "
                        "do orçamento. Operação bloqueada."),
         true},
        {"negative", "2", "GetVdValorNegativo", QVariantList{QStringLiteral("VALOR_COBRADO_MENOR")},
         QStringLiteral("Todos os contratantes devem ter valor cobrado menor que zero. Operação "
                        "bloqueada."),
         false},
        {"count", "2", "GetQtContratantes", false,
         QStringLiteral("Quantidade de contratantes informada difere da quantidade do lançamento."),
         false},
    };
    // A control bound to the number, as a rule may bind one.
    auto* number = new QLineEdit(s->panFilial);
    number->show();
    s->data.cdsOrcaEvento->FieldByName("NRORCAEVENTO").SetFocusControl(number);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ListOne(Budget("00", row.situ, "C"));
        ScriptPassing();
        if (row.method)
            server.Reply(row.method, row.answer);
        s->medCdFilial->setFocus();
        Settle();
        QTest::keyClick(s, Qt::Key_O, Qt::ControlModifier);
        Settle();

        EXPECT_EQ(dialogs.Texts(TKind::Error), QStringList{row.shown});
        EXPECT_EQ(focusAtBox == number, row.focusMoved);
        EXPECT_FALSE(server.Methods().contains("FecharOrca"));
        EXPECT_FALSE(server.Methods().contains("GetOrcaEvento"));
        EXPECT_EQ(Field("IDMARCADO"), "");
        // Only a closed budget is spared the contracting-clients screen.
        EXPECT_EQ(log.contains("ORE09000"), row.situ != u"3");
        if (row.situ == u"3") {
            EXPECT_TRUE(server.Calls().empty());
        }
    }
}

TEST_F(FechaOrcaClosing, OnlyTwoExtraLabourItemsOfThisBudgetAsk) {
    const struct {
        const char* name;
        std::vector<TPacketRow> labour;
        bool asked;
    } rows[] = {
        {"one", {Labour(kNr, "00", "S"), Labour(kNr, "00", "N")}, false},
        {"two", {Labour(kNr, "00", "S"), Labour(kNr, "00", "S")}, true},
        {"other sequence", {Labour(kNr, "00", "S"), Labour(kNr, "01", "S")}, false},
        {"other budget", {Labour(kNr, "00", "S"), Labour("0000000102", "00", "S")}, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ListOne(Budget("00", "2", "C"), row.labour);
        if (row.asked)
            dialogs.Answer(false);
        Click(s->sbtFecharOrca);
        EXPECT_EQ(dialogs.Texts(TKind::YesNo).size(), row.asked ? 1u : 0u);
        // No: nothing after the question. A registered customer opens only
        // the contracting clients' screen.
        if (row.asked) {
            EXPECT_EQ(log, QStringList{kMobraExtra});
        } else {
            EXPECT_EQ(dialogs.Texts(), QStringList{kSucesso});
            EXPECT_EQ(log.mid(0, 2), (QStringList{"ORE09000", "GetExisteContratante"}));
        }
    }
}

TEST_F(FechaOrcaClosing, TheAddressScreenClosedWithoutANumberEndsTheRunQuietly) {
    ListOne(Budget("00", "2", "N"));
    AddressScreenWrites(QStringLiteral("   "));
    Click(s->sbtFecharOrca);
    EXPECT_EQ(dialogs.Texts(), QStringList{kCliNCad});
    EXPECT_EQ(log, (QStringList{kCliNCad, "ORE00105"}));
    EXPECT_EQ(Field("IDSITCLIOREV"), "N");
    EXPECT_EQ(s->data.cdsOrcaEvento->State(), TDataSetState::Browse);
}

TEST_F(FechaOrcaClosing, ANewCustomerLeftForAnotherBudgetIsNotThisOnesCustomer) {
    // An earlier run registered budget 102's customer, then was refused.
    ListDetails(
        *s, TOrcaEventoRows{
                {Budget("00", "2", "N"), BudgetRow("0000000102", "00", "2")}, {}, {}, {}, {}, {}});
    s->data.cdsOrcaEvento->Last();
    AddressScreenWrites(QStringLiteral("12345678000190"));
    server.Reply("GetExisteContratante", Packet(LayoutExisteContratante(), {}));
    Click(s->sbtFecharOrca);
    ASSERT_EQ(s->data.cdsEndeNovoClie->RecordCount(), 1);

    // Budget 101's run: the address screen is closed without confirming.
    s->data.cdsOrcaEvento->First();
    onAddress = nullptr;
    log.clear();
    Click(s->sbtFecharOrca);
    EXPECT_EQ(log, (QStringList{kCliNCad, "ORE00105"}));
    EXPECT_EQ(Field("IDSITCLIOREV"), "N");
    EXPECT_EQ(Field("CDCLIENTE"), "");
}

TEST_F(FechaOrcaClosing, ClosingErrorsAreReadFromTheCatalogueOrShownAsTheyStand) {
    const struct {
        QString error;
        QString shown;
    } rows[] = {
        {"N_PARAM_PED|0002",
         QStringLiteral(
             "Não há parametrização de pedidos para a filial 0002. Operação Bloqueada.")},
        {"N_PARAM_TPCTREC|", QStringLiteral("Não há tipo de conta a receber parametrizado para o "
                                            "tipo de operação ().")},
        {"N_BOLETOS_ABERTOS",
         QStringLiteral("Operação cancelada! Não foi possível ajustar a conta do orçamento pai por "
                        "que não existem boletos abertos para o mesmo.")},
        {"O orçamento 0000000101 já está fechado.",
         QStringLiteral("O orçamento 0000000101 já está fechado.")},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.error.toStdString());
        ListOne(Budget("00", "2", "C"));
        server.Refuse("FecharOrca", row.error);
        Click(s->sbtFecharOrca);
        // The indicator is gone before the box; the mark stays; no reload.
        EXPECT_EQ(log.mid(log.size() - 2), (QStringList{"FecharOrca", row.shown}));
        EXPECT_EQ(dialogs.Texts(TKind::Error), QStringList{row.shown});
        EXPECT_EQ(busy.Depth(), 0);
        EXPECT_EQ(Field("IDMARCADO"), "S");
        EXPECT_FALSE(server.Methods().contains("GetOrcaEvento"));
    }
}

TEST_F(FechaOrcaClosing, ARelatedOpenBudgetIsReportedBeforeSuccessAndTheListShown) {
    const struct {
        QString seq;
        QString shown;
    } rows[] = {
        {"00",
         QStringLiteral("O orçamento 0000000099 possui orçamento filho que não foi fechado.")},
        {"01", QStringLiteral("O orçamento 0000000099 possui orçamento pai que não foi fechado. ")},
    };
    server.Reply("GetVerifOrcaFecha",
                 Packet(LayoutVerifOrcaFecha(),
                        {{{"NRORCAEVENTO", "0000000099"}}, {{"NRORCAEVENTO", "0000000098"}}}));
    for (const auto& row : rows) {
        SCOPED_TRACE(row.seq.toStdString());
        ListOne(Budget(row.seq, "2", "C"));
        s->ShowPage(s->tshMaoObra);
        log.clear();
        Click(s->sbtFecharOrca);
        EXPECT_EQ(dialogs.Texts(TKind::Information), (QStringList{row.shown, kSucesso}));
        EXPECT_TRUE(log.contains("[busy] " + kSucesso));
        EXPECT_EQ(pageAtBox, s->tshFolhaDados);
        EXPECT_EQ(s->pgcPadrao->ActivePage(), s->tshFolhaDados);
        EXPECT_EQ(log.mid(log.indexOf("[busy] " + kSucesso) + 1),
                  (QStringList{"GetOrcaEvento", "GetSalaoEven"}));
        // Nothing of a new customer to send.
        const auto closing = server.CallsOf("FecharOrca");
        ASSERT_EQ(closing.size(), 1u);
        EXPECT_TRUE(closing[0].args[2].isNull());
    }
}

// "Processar Orçamento": what budget processing is opened with, and the list
// read again once it closes.
using FechaOrcaProcessing = FechaOrcaClosing;

TEST_F(FechaOrcaProcessing, AClosedBudgetIsOpenedWithItsSituationAsANumberThenTheListReloaded) {
    ListClosable("3");
    ASSERT_TRUE(s->sbtProcOrca->isVisible());
    // The screen names itself, whatever its caption says.
    s->lblCodTela->setText(QStringLiteral("OUTRA"));
    Click(s->sbtProcOrca);
    QTest::keyClick(s->focusWidget(), Qt::Key_M, Qt::ControlModifier);
    Settle();

    const QVariantList params = {3, "0001", kNr, "00", "MARIA", "ORE00800"};
    ASSERT_EQ(loader.Loads().size(), 2u);
    for (const auto& load : loader.Loads()) {
        EXPECT_EQ(load.code, "ORE06400");
        EXPECT_EQ(load.params, params);
        EXPECT_EQ(load.params[0].typeId(), QMetaType::Int);
    }
    EXPECT_EQ(log, (QStringList{"ORE06400", "GetOrcaEvento", "GetSalaoEven", "ORE06400",
                                "GetOrcaEvento", "GetSalaoEven"}));
    EXPECT_TRUE(dialogs.Shown().empty());
}

TEST_F(FechaOrcaProcessing, NothingIsOpenedOutsideBrowsingAndAFailureReloadsNothing) {
    const struct {
        const char* name;
        QString situ;
        bool editing;
        bool failOpening;
        QStringList log; // calls, screens and boxes
    } rows[] = {
        {"editing", "2", true, false, {"GetOrcaEvento", "GetSalaoEven"}},
        {"screen fails", "3", false, true, {"ORE06400", "A tela ORE06400 falhou."}},
        {"situation not a number", "", false, false, {"Situação do orçamento inválida: \"\"."}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ListClosable(row.situ);
        if (row.editing) {
            s->data.cdsOrcaEvento->Edit();
            log.clear();
        }
        loader.OnOpen = [this, fail = row.failOpening](const QString& code, const QVariantList&) {
            log << code;
            if (fail)
                throw Exception(QStringLiteral("A tela ORE06400 falhou."));
        };
        // The handler itself: its command is not offered in these states.
        Dispatch([this] { s->sbtProcOrcaClick(); });
        EXPECT_EQ(log, row.log);
    }
}

} // namespace

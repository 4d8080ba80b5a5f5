// "Processar Orçamento": what budget processing is opened with, and the list
// read again once it closes.

#include "tests/ore00800/support/FechaOrcaTestUtil.h"

#include "core/data/Exceptions.h"
#include "tests/support/FakeScreenLoader.h"

#include <QLabel>

namespace {

using TKind = TFakeDialogs::TKind;

const QString kNr = QStringLiteral("0000000101");

class FechaOrcaProcessing : public FechaOrcaTest {
protected:
    void SetUp() override {
        FechaOrcaTest::SetUp();
        if (HasFatalFailure())
            return;
        s = &Open();
        server.OnCall = [this](const TFakeServer::TCall& c) { log << c.method; };
        loader.OnOpen = [this](const QString& code, const QVariantList&) {
            log << code;
            if (failOpening)
                throw Exception(QStringLiteral("A tela ORE06400 falhou."));
        };
    }

    void ListOne(const QString& situ) {
        TPacketRow budget = BudgetRow(kNr, QStringLiteral("00"), situ);
        budget.emplace_back(QStringLiteral("IDORCAFILHODISTRATO"), QStringLiteral("N"));
        List(*s, {budget});
        log.clear();
        dialogs.Clear();
    }

    TfrmFechaOrca* s = nullptr;
    TFakeScreenLoader loader;
    QStringList log;
    bool failOpening = false;
};

TEST_F(FechaOrcaProcessing, AClosedBudgetIsOpenedWithItsSituationAsANumberThenTheListReloaded) {
    ListOne(QStringLiteral("3"));
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
        QStringList log;
        QStringList errors;
    } rows[] = {
        {"editing", "2", true, false, {"GetOrcaEvento", "GetSalaoEven"}, {}},
        {"screen fails", "3", false, true, {"ORE06400"}, {"A tela ORE06400 falhou."}},
        {"situation not a number", "", false, false, {}, {"Situação do orçamento inválida: \"\"."}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ListOne(row.situ);
        if (row.editing) {
            s->data.cdsOrcaEvento->Edit();
            log.clear();
        }
        failOpening = row.failOpening;
        // The handler itself: its command is not offered in these states.
        Dispatch([this] { s->sbtProcOrcaClick(); });
        EXPECT_EQ(log, row.log);
        EXPECT_EQ(dialogs.Texts(TKind::Error), row.errors);
    }
}

} // namespace

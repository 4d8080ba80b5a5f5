// Closing budgets on the closing screen against the real application server,
// with the neighbour screens opened by the host's module loader from their
// libraries, as the operator drives them; the database is read afterwards.
// With ORE_SCREENSHOT_DIR set, the run leaves the operator's guide's pictures.

#include "tests/e2e/ServerScreenTest.h"

#include "core/db/SqlStatement.h"
#include "framework/widgets/DBGrid.h"
#include "framework/widgets/MaskEdit.h"
#include "framework/widgets/PageControl.h"
#include "framework/widgets/TabSheet.h"
#include "host/ModuleLoader.h"
#include "tests/support/ModalHook.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLineEdit>
#include <QTableView>

#include <functional>
#include <map>

namespace {

using TKind = TFakeDialogs::TKind;

class ClosingEndToEnd : public ServerScreenTest {
protected:
    void SetUp() override {
        ServerScreenTest::SetUp();
        TScreenLoader::Install(&m_loader);
    }
    void TearDown() override {
        TScreenLoader::Install(nullptr);
        m_loader.UnloadAll();
        ServerScreenTest::TearDown();
    }

    // Each modal window the run opens is driven by the step given for its
    // name; a window without one fails the test and is cancelled.
    using TDrive = std::function<void(QDialog&)>;
    std::unique_ptr<TModalHook> Drive(std::map<QString, TDrive> steps) {
        return std::make_unique<TModalHook>([steps = std::move(steps), this](QDialog& w) {
            m_opened << w.objectName();
            const auto it = steps.find(w.objectName());
            ASSERT_NE(it, steps.end()) << w.objectName().toStdString();
            Settle();
            it->second(w);
            Settle();
        });
    }
    QStringList m_opened;

    template <class T> static T* Child(QWidget& w, const char* name) {
        T* c = w.findChild<T*>(QLatin1String(name));
        EXPECT_TRUE(c) << name;
        return c;
    }
    // Types `text` into the line edit `name` of `w`, as after a click in it.
    static void Type(QWidget& w, const char* name, const QString& text) {
        auto* edit = Child<QLineEdit>(w, name);
        QTest::mouseClick(edit, Qt::LeftButton);
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Tab);
        Settle();
    }
    static void Press(QWidget& w, const char* name) {
        QTest::mouseClick(Child<QAbstractButton>(w, name), Qt::LeftButton);
        Settle();
    }

    // ORE09000: adds a registered client with its value and guests, billed by company 0001.
    static void AddContratante(QDialog& w, const char* registration, const char* value,
                               const char* guests) {
        Type(w, "edtCliente", QString::fromLatin1(registration));
        Type(w, "edtValor", QString::fromLatin1(value));
        Type(w, "edtConvidados", QString::fromLatin1(guests));
        Type(w, "edtEmpresa", QStringLiteral("0001"));
        Press(w, "btnIncluir");
    }

private:
    TModuleLoader m_loader{{QStringLiteral(ORE_MODULE_DIR)}};
};

} // namespace

// The same closing over plain HTTP on loopback and over HTTPS.
class ClosingEndToEndOver : public ClosingEndToEnd, public ::testing::WithParamInterface<bool> {
protected:
    void SetUp() override {
        m_overTls = GetParam();
        ClosingEndToEnd::SetUp();
    }
};

INSTANTIATE_TEST_SUITE_P(Transport, ClosingEndToEndOver, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Https" : "Http"; });

TEST_P(ClosingEndToEndOver, AnOperatorClosesABudgetFromStartToFinish) {
    const QString nr = QStringLiteral("0000001030");
    TfrmFechaOrca& s = Open();
    ListAndGoTo(s, QStringLiteral("0001"), nr);
    TRecordSet& orca = *s.data.cdsOrcaEvento;
    ASSERT_EQ(Field(orca, "IDSITCLIOREV"), QStringLiteral("N"));
    Shot(s, "guide-1-list.png");

    dialogs.Answer(true); // two extra-labour lines: go on
    auto hook = Drive({
        {QStringLiteral("frmEndeClie"),
         [](QDialog& w) {
             Press(w, "rbtFisica");
             Type(w, "medNrInscricao", QStringLiteral("24681357928"));
             Type(w, "edtNmFantasia", QStringLiteral("Fernanda Costa"));
             Type(w, "edtNmRazaoSocial", QStringLiteral("Fernanda Ribeiro Costa"));
             Type(w, "edtTelefone", QStringLiteral("(11) 3456-7890"));
             Type(w, "edtEmail", QStringLiteral("fernanda.costa@example.com"));
             Shot(w, "guide-3-client-address.png");
             Press(w, "btnConfirmar");
         }},
        {QStringLiteral("frmContratante"),
         [](QDialog& w) {
             AddContratante(w, "52998224725", "6000,00", "50");
             AddContratante(w, "12312312387", "6000,00", "50");
             Shot(w, "guide-4-contracting-clients.png");
             Press(w, "btnFechar");
         }},
    });
    Click(s.sbtFecharOrca);
    hook.reset();
    Reactivate(s);

    EXPECT_EQ(m_opened, (QStringList{"frmEndeClie", "frmContratante"}));
    EXPECT_EQ(
        dialogs.Texts(),
        (QStringList{"O orçamento possui mão de obra extra que irá afetar o valor das contas. "
                     "Deseja continuar?",
                     "Para fechar o orçamento o cliente deve estar cadastrado. Informe os "
                     "dados do cliente na tela de endereço do cliente.",
                     "Fechamento realizado com sucesso."}));
    EXPECT_EQ(busy.Depth(), 0);
    // The list was reloaded and shows the budget closed, on the list page.
    EXPECT_EQ(s.pgcPadrao->ActivePage(), s.tshFolhaDados);
    const int row = RowOf(orca, nr, QStringLiteral("00"));
    ASSERT_GT(row, 0);
    orca.ReadRow(row, [&] {
        EXPECT_EQ(Field(orca, "IDSITUORCEVE"), QStringLiteral("3"));
        EXPECT_EQ(Field(orca, "CDCLIENTE"), QStringLiteral("F24681357928"));
        EXPECT_NE(Field(orca, "IDMARCADO"), QStringLiteral("S"));
    });
    GoTo(s, nr);
    Shot(s, "guide-5-closed.png");

    // What the closing left in the database.
    EXPECT_EQ(Situacao(nr), QStringLiteral("3"));
    EXPECT_EQ(Scalar(QStringLiteral("SELECT NMFANTCLIE FROM CLIENTE WHERE CDCLIENTE = "
                                    "'F24681357928'"))
                  .toString(),
              QStringLiteral("Fernanda Costa"));
    EXPECT_EQ(Scalar(QStringLiteral("SELECT CDOPERADOR FROM FECHAORCA WHERE NRORCAEVENTO = :N"),
                     {{"N", nr}})
                  .toString(),
              QStringLiteral("MARIA"));
    EXPECT_GT(
        Scalar(QStringLiteral("SELECT COUNT(*) FROM PEDIDO WHERE NRORCAEVENTO = :N"), {{"N", nr}})
            .toLongLong(),
        0);
    // One receivable per paying contracting client, for its value.
    TSqlStatement rec(Db(), QStringLiteral("SELECT CDCLIENTE, VRCONTAREC FROM CONTAREC WHERE "
                                           "NRORCAEVENTO = :N ORDER BY CDCLIENTE"));
    rec.Exec({{"N", nr}});
    QStringList receivables;
    while (rec.Next())
        receivables << rec.Value(0).toString() + u' ' + QString::number(rec.Value(1).toDouble());
    EXPECT_EQ(receivables, (QStringList{"F12312312387 6000", "F52998224725 6000"}));
}

// The other endings an operator meets in the demo: a parent with an open
// child, a branch without order settings, and processing a closed budget.
TEST_F(ClosingEndToEnd, ChildStillOpenBranchWithoutSettingsAndProcessing) {
    TfrmFechaOrca& s = Open();
    // The neighbour screens only look on here.
    const auto neighbours = [this] {
        return Drive({{QStringLiteral("frmContratante"), [](QDialog& w) { Press(w, "btnFechar"); }},
                      {QStringLiteral("frmProcOrca"), [](QDialog& w) {
                           Shot(w, "guide-6-processing.png");
                           Press(w, "btnFechar");
                       }}});
    };

    ListAndGoTo(s, QStringLiteral("0001"), QStringLiteral("0000001001"));
    auto hook = neighbours();
    Click(s.sbtFecharOrca);
    Reactivate(s);
    EXPECT_EQ(dialogs.Texts(),
              (QStringList{"O orçamento 0000001001 possui orçamento filho que não foi fechado.",
                           "Fechamento realizado com sucesso."}));
    EXPECT_EQ(Situacao(QStringLiteral("0000001001")), QStringLiteral("3"));

    // A closed budget is processed: ORE06400 opens on it, and the list is read again.
    dialogs.Clear();
    GoTo(s, QStringLiteral("0000001001"));
    ASSERT_TRUE(s.sbtProcOrca->isVisible());
    m_opened.clear();
    Click(s.sbtProcOrca);
    Reactivate(s);
    EXPECT_EQ(m_opened, QStringList{"frmProcOrca"});
    EXPECT_TRUE(dialogs.Texts().isEmpty()) << dialogs.Texts().join(u'\n').toStdString();

    // Campinas has no order settings: the refusal names the branch, nothing closes.
    hook.reset();
    ListAndGoTo(s, QStringLiteral("0002"), QStringLiteral("0000002001"));
    hook = neighbours();
    dialogs.Clear();
    Click(s.sbtFecharOrca);
    Reactivate(s);
    EXPECT_EQ(dialogs.Texts(TKind::Error),
              QStringList{"Não há parametrização de pedidos para a filial 0002. Operação "
                          "Bloqueada."});
    EXPECT_EQ(Situacao(QStringLiteral("0000002001")), QStringLiteral("2"));
    EXPECT_EQ(busy.Depth(), 0);
}

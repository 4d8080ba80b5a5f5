// The base maintenance screen as a derived screen and its operator use it.

#include "framework/forms/FrmPadrao.h"
#include "core/data/DataSource.h"
#include "core/data/RecordSet.h"
#include "framework/services/FocusTracker.h"
#include "framework/widgets/PageControl.h"
#include "framework/widgets/TabSheet.h"
#include "tests/support/FakeDialogs.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPointer>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

// A screen over a list of two names, with an edit on its form page.
class TfrmTeste : public TfrmPadrao {
public:
    TfrmTeste() {
        setObjectName(QStringLiteral("frmTeste"));
        rs.CreateDataSet();
        for (const char* name : {"Ana", "Bruno"}) {
            rs.Append();
            rs.FieldByName("NOME").SetAsString(QString::fromLatin1(name));
            rs.Post();
        }
        rs.First();
        dtsPadrao->SetDataSet(&rs);
        edit = new QLineEdit(tshFormulario);
        edit->setObjectName(QStringLiteral("edtNome"));
        new QHBoxLayout(tshFormulario);
        tshFormulario->layout()->addWidget(edit);
        band = new QLabel(QStringLiteral("Filial"), this);
        AddBand(band);
        own = AddToolButton(QStringLiteral("sbtFiltro"), QString(), QStringLiteral("Filtrar"));
    }
    void FormCreate() override { log << "create:" + own->objectName(); }
    void FormActivate() override { log << "activate"; }
    void FormClose(TCloseAction& action) override {
        log << "close";
        if (keepOpen)
            action = TCloseAction::None;
        else
            TfrmPadrao::FormClose(action);
    }

    TRecordSet rs{{StrField("NOME", 20)}};
    QLineEdit* edit = nullptr;
    QLabel* band = nullptr;
    QToolButton* own = nullptr;
    QStringList log;
    bool keepOpen = false;
};

} // namespace

TEST(FrmPadrao, CarriesItsDesignedPartsAndTakesTheScreensOwn) {
    TfrmTeste* f = TfrmPadrao::Create<TfrmTeste>();
    QPointer<TfrmTeste> guard(f);
    EXPECT_EQ(f->log, QStringList{"create:sbtFiltro"}); // after the whole screen exists
    for (const char* name :
         {"mnuMenu",       "mnuOperacao",  "mnuFolhaDados", "mnuFormulario", "mnuListagem",
          "mnuManutencao", "mnuIncluir",   "mnuAlterar",    "mnuExcluir",    "mnuProcurar",
          "mnuVerificar",  "panMenu",      "sbtIncluir",    "sbtAlterar",    "sbtExcluir",
          "sbtProcurar",   "sbtVerificar", "sbtOrdenar",    "sbtCancelar",   "sbtConfirmar",
          "sbtImprimir",   "sbtAjuda",     "sbtFechar",     "lblCodTela",    "pgcPadrao",
          "tshFolhaDados", "dbgPadrao",    "tshFormulario", "panNavigator",  "dbnPadrao",
          "dtsPadrao",     "msgPadrao"})
        EXPECT_NE(f->findChild<QObject*>(QLatin1String(name)), nullptr) << name;

    // The screen's own button sits before the printing one; its band under the tool bar.
    auto* layout = f->panMenu->layout();
    EXPECT_EQ(layout->indexOf(f->own) + 1, layout->indexOf(f->sbtImprimir));
    auto* outer = f->layout();
    EXPECT_EQ(outer->indexOf(f->band), outer->indexOf(f->panMenu) + 1);
    delete f;
}

TEST(FrmPadrao, ToolBarEditsTheListWithoutTakingTheFocus) {
    TFakeDialogs dialogs;
    TfrmTeste* f = TfrmPadrao::Create<TfrmTeste>();
    f->keepOpen = false;
    f->show();
    QApplication::setActiveWindow(f);
    ASSERT_TRUE(QTest::qWaitForWindowActive(f));
    int exits = 0;
    TFocusTracker::Instance().SetOnExit(f->edit, [&] { ++exits; });
    f->pgcPadrao->SetActivePage(f->tshFormulario);
    f->edit->setFocus();

    QTest::mouseClick(f->sbtAlterar, Qt::LeftButton);
    EXPECT_EQ(f->rs.State(), TDataSetState::Edit);
    f->rs.FieldByName("NOME").SetAsString(QStringLiteral("Ana Maria"));
    QTest::mouseClick(f->sbtConfirmar, Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_EQ(f->rs.State(), TDataSetState::Browse);
    EXPECT_EQ(f->rs.FieldByName("NOME").AsString(), QStringLiteral("Ana Maria"));
    EXPECT_EQ(QApplication::focusWidget(), f->edit);
    EXPECT_EQ(exits, 0);

    dialogs.Answer(true);
    QTest::mouseClick(f->sbtExcluir, Qt::LeftButton);
    EXPECT_EQ(f->rs.RecordCount(), 1);
    EXPECT_EQ(dialogs.Texts(TFakeDialogs::TKind::YesNo).size(), 1);

    // Editing through the menu, then cancelling, leaves the row as it was.
    f->mnuAlterar->trigger();
    f->rs.FieldByName("NOME").SetAsString(QStringLiteral("X"));
    QTest::mouseClick(f->sbtCancelar, Qt::LeftButton);
    EXPECT_EQ(f->rs.FieldByName("NOME").AsString(), QStringLiteral("Bruno"));
    delete f;
}

TEST(FrmPadrao, ActivationAndClosingRunTheScreensHandlers) {
    TfrmTeste* f = TfrmPadrao::Create<TfrmTeste>();
    QPointer<TfrmTeste> guard(f);
    f->show();
    QApplication::setActiveWindow(f);
    ASSERT_TRUE(QTest::qWaitForWindowActive(f));
    EXPECT_TRUE(f->log.contains("activate"));

    f->keepOpen = true;
    QTest::mouseClick(f->sbtFechar, Qt::LeftButton);
    EXPECT_TRUE(f->isVisible());
    f->keepOpen = false;
    QTest::mouseClick(f->sbtFechar, Qt::LeftButton);
    EXPECT_FALSE(f->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(guard.isNull()); // freed after its close
}

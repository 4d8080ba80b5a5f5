// The navigator: which buttons the data set's state allows, what a click
// does, and that clicking leaves the focus where it was.

#include "framework/widgets/DBNavigator.h"
#include "core/data/DataSource.h"
#include "core/data/Exceptions.h"
#include "tests/framework/GridTestData.h"
#include "tests/support/FakeDialogs.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

struct TNavigatorWindow {
    TRecordSet rs{ClientDefs()};
    TDataSource source;
    QWidget window;
    TDBNavigator* nav = new TDBNavigator(&window);
    QLineEdit* edit = new QLineEdit(&window);

    TNavigatorWindow() {
        FillClients(rs);
        rs.First();
        source.SetDataSet(&rs);
        nav->SetDataSource(&source);
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(nav);
        layout->addWidget(edit);
        window.show();
        QApplication::setActiveWindow(&window);
    }

    void Click(TNavigateBtn b) { QTest::mouseClick(nav->Button(b), Qt::LeftButton); }

    // The buttons enabled, in the navigator's order.
    TNavButtons Enabled() const {
        TNavButtons on;
        for (int bit = 0x001; bit <= 0x200; bit <<= 1)
            if (nav->Button(TNavigateBtn(bit))->isEnabled())
                on |= TNavigateBtn(bit);
        return on;
    }
};

constexpr TNavButtons Moves = TNavButtons(TNavigateBtn::First) | TNavigateBtn::Prior |
                              TNavigateBtn::Next | TNavigateBtn::Last;

} // namespace

TEST(DBNavigator, ButtonsFollowTheDataSetsStateAndPosition) {
    TNavigatorWindow t;
    EXPECT_EQ(t.Enabled(), TNavButtons(TNavigateBtn::Next) | TNavigateBtn::Last |
                               TNavigateBtn::Insert | TNavigateBtn::Delete | TNavigateBtn::Edit);
    t.rs.SetRecNo(2);
    EXPECT_EQ(t.Enabled() & Moves, Moves);
    t.rs.Last();
    EXPECT_EQ(t.Enabled() & Moves, TNavButtons(TNavigateBtn::First) | TNavigateBtn::Prior);

    t.rs.Edit();
    EXPECT_EQ(t.Enabled() & ~Moves,
              TNavButtons(TNavigateBtn::Delete) | TNavigateBtn::Post | TNavigateBtn::Cancel);
    t.rs.Cancel();

    t.rs.Close();
    EXPECT_EQ(t.Enabled(), TNavButtons());
    t.rs.CreateDataSet();
    EXPECT_EQ(t.Enabled(), TNavButtons(TNavigateBtn::Insert) | TNavigateBtn::Edit)
        << "an empty data set: nothing to move to nor delete";
}

TEST(DBNavigator, ClicksRunTheOperationsAndKeepTheFocus) {
    TFakeDialogs dialogs;
    TNavigatorWindow t;
    t.edit->setFocus();
    t.Click(TNavigateBtn::Next);
    EXPECT_EQ(t.rs.RecNo(), 2);
    EXPECT_TRUE(t.edit->hasFocus()) << "the buttons take no focus";
    t.Click(TNavigateBtn::Last);
    EXPECT_EQ(t.rs.RecNo(), 4);
    t.Click(TNavigateBtn::Prior);
    t.Click(TNavigateBtn::Edit);
    t.rs.FieldByName("NMCLIENTE").SetAsString(QStringLiteral("Ana Maria"));
    t.Click(TNavigateBtn::Post);
    EXPECT_EQ(t.rs.State(), TDataSetState::Browse);
    EXPECT_EQ(t.rs.FieldByName("NMCLIENTE").AsString(), QStringLiteral("Ana Maria"));

    dialogs.Answer(false);
    t.Click(TNavigateBtn::Delete);
    EXPECT_EQ(t.rs.RecordCount(), 4);
    dialogs.Answer(true);
    t.Click(TNavigateBtn::Delete);
    EXPECT_EQ(t.rs.RecordCount(), 3);

    // A failing operation is shown, and the navigator stays usable.
    t.rs.AfterPost = [](TDataSet&) { throw Exception(QStringLiteral("Código repetido.")); };
    t.Click(TNavigateBtn::Insert);
    EXPECT_EQ(t.rs.State(), TDataSetState::Insert);
    t.Click(TNavigateBtn::Post);
    EXPECT_EQ(dialogs.Texts(TFakeDialogs::TKind::Error), QStringList{"Código repetido."});
    t.Click(TNavigateBtn::First);
    EXPECT_EQ(t.rs.RecNo(), 1);
}

TEST(DBNavigator, HintsVisibleButtonsAndAbortingBeforeTheAction) {
    TNavigatorWindow t;
    QStringList hints;
    for (int bit = 0x001; bit <= 0x200; bit <<= 1)
        hints << t.nav->Button(TNavigateBtn(bit))->toolTip();
    EXPECT_EQ(hints, (QStringList{"Primeiro", "Anterior", "Próximo", "Último", "Incluir", "Excluir",
                                  "Alterar", "Confirmar", "Cancelar", "Atualizar"}));

    t.nav->SetVisibleButtons(Moves);
    EXPECT_TRUE(t.nav->Button(TNavigateBtn::Next)->isVisible());
    EXPECT_FALSE(t.nav->Button(TNavigateBtn::Insert)->isVisible());

    std::vector<TNavigateBtn> after;
    t.nav->BeforeAction = [](TDBNavigator&, TNavigateBtn b) {
        if (b == TNavigateBtn::Last)
            throw EAbort();
    };
    t.nav->OnClick = [&](TDBNavigator&, TNavigateBtn b) { after.push_back(b); };
    t.Click(TNavigateBtn::Last);
    t.Click(TNavigateBtn::Next);
    EXPECT_EQ(t.rs.RecNo(), 2);
    EXPECT_EQ(after, std::vector<TNavigateBtn>{TNavigateBtn::Next});
}

// The lookup button: the window it opens, narrowing by typing, what a pick
// and a cancel leave behind, and the handlers around it.

#include "framework/widgets/BtnPesquisa.h"
#include "core/data/DataSource.h"
#include "core/data/Exceptions.h"
#include "framework/widgets/frmPesquisa.h"
#include "tests/framework/GridTestData.h"
#include "tests/support/FakeDialogs.h"
#include "tests/support/ModalHook.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

namespace {

struct TLookup {
    TRecordSet rs{ClientDefs()};
    TDataSource source;
    QWidget window;
    QLineEdit* edit = new QLineEdit(&window);
    TBtnPesquisa* btn = new TBtnPesquisa(&window);
    QStringList events;

    TLookup() {
        FillClients(rs);
        rs.First();
        source.SetDataSet(&rs);
        btn->SetAssociate(edit);
        btn->SetDataSource(&source);
        btn->SetTitle(QStringLiteral("Clientes"));
        btn->OnAfterPesq = [this](TBtnPesquisa&) { events << "after:" + edit->text(); };
        auto* layout = new QHBoxLayout(&window);
        layout->addWidget(edit);
        layout->addWidget(btn);
        window.show();
    }

    void Click() { QTest::mouseClick(btn, Qt::LeftButton); }
};

QStringList ShownNames(QDialog& window) {
    auto* list = window.findChild<QTableView*>(QStringLiteral("grdPesquisa"));
    QStringList names;
    for (int r = 0; r < list->model()->rowCount(); ++r)
        names << list->model()->index(r, 1).data().toString();
    return names;
}

QLineEdit* Search(QDialog& window) {
    return window.findChild<QLineEdit*>(QStringLiteral("edtPesquisa"));
}

} // namespace

TEST(BtnPesquisa, TypingNarrowsIgnoringCaseAndAccentsAndEnterPicks) {
    TLookup t;
    QString title;
    QStringList narrowed;
    TModalHook hook([&](QDialog& window) {
        title = window.windowTitle();
        EXPECT_EQ(ShownNames(window).size(), 4);
        QTest::keyClicks(Search(window), QStringLiteral("conceicao"));
        narrowed << ShownNames(window);
        Search(window)->clear();
        QTest::keyClicks(Search(window), QStringLiteral("a"));
        QTest::keyClick(Search(window), Qt::Key_Down); // the list moves from the edit
        QTest::keyClick(Search(window), Qt::Key_Return);
    });
    t.Click();
    EXPECT_EQ(hook.Opened(), 1);
    EXPECT_EQ(title, QStringLiteral("Clientes"));
    EXPECT_EQ(narrowed, QStringList{"Maria Conceição"});
    // "a" matches every name; Down went to the second row.
    EXPECT_EQ(t.rs.RecNo(), 2);
    EXPECT_EQ(t.edit->text(), QStringLiteral("000020"));
    EXPECT_EQ(t.events, QStringList{"after:000020"});
    EXPECT_EQ(t.btn->toolTip(), QStringLiteral("Pesquisar"));
}

TEST(BtnPesquisa, CancelChangesNothingAndADoubleClickPicks) {
    TLookup t;
    t.edit->setText(QStringLiteral("000010"));
    TModalHook cancel([](QDialog& window) {
        QTest::keyClicks(Search(window), QStringLiteral("ana"));
        QTest::keyClick(Search(window), Qt::Key_Escape);
    });
    t.Click();
    EXPECT_EQ(t.rs.RecNo(), 1);
    EXPECT_EQ(t.edit->text(), QStringLiteral("000010"));
    EXPECT_TRUE(t.events.isEmpty());

    TModalHook pick([](QDialog& window) {
        auto* list = window.findChild<QTableView*>(QStringLiteral("grdPesquisa"));
        const QPoint cell = list->visualRect(list->model()->index(3, 1)).center();
        // A double click is a click and then the double-click event.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, cell);
    });
    t.btn->SetKeyField(QStringLiteral("NMCLIENTE"));
    t.Click();
    EXPECT_EQ(t.rs.RecNo(), 4);
    EXPECT_EQ(t.edit->text(), QStringLiteral("Eventos \\ Festas"));
}

TEST(BtnPesquisa, F9InTheEditOpensAndTheWindowStartsOnTheCurrentRecord) {
    TLookup t;
    t.rs.SetRecNo(3);
    TModalHook hook([](QDialog& window) { QTest::keyClick(Search(window), Qt::Key_Enter); });
    QTest::keyClick(t.edit, Qt::Key_F9);
    EXPECT_EQ(hook.Opened(), 1);
    EXPECT_EQ(t.edit->text(), QStringLiteral("000030"));
}

TEST(BtnPesquisa, BeforeHandlerCanRefuseAndAnEmptyDataSetShowsTheEmptyError) {
    TFakeDialogs dialogs;
    TLookup t;
    TModalHook hook([](QDialog&) {});
    t.btn->OnBeforePesq = [](TBtnPesquisa&, bool& allow) { allow = false; };
    t.Click();
    t.btn->OnBeforePesq = [](TBtnPesquisa&, bool&) { throw EAbort(); };
    t.Click();
    EXPECT_EQ(hook.Opened(), 0);

    t.btn->OnBeforePesq = nullptr;
    t.btn->SetEmptyError(QStringLiteral("Não há clientes cadastrados."));
    t.rs.Close();
    t.Click();
    EXPECT_EQ(hook.Opened(), 0);
    EXPECT_EQ(dialogs.Texts(TFakeDialogs::TKind::Error),
              QStringList{"Não há clientes cadastrados."});
    EXPECT_TRUE(t.events.isEmpty());
}

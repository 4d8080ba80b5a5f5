// Pages: what the operator can select, and the change events around it.

#include "framework/widgets/PageControl.h"
#include "core/data/Exceptions.h"
#include "framework/widgets/TabSheet.h"
#include "tests/support/FakeDialogs.h"

#include <QApplication>
#include <QTabBar>
#include <QTest>

#include <gtest/gtest.h>

namespace {

struct TPages {
    TPageControl pc;
    TTabSheet* dados = new TTabSheet(&pc, QStringLiteral("Dados"));
    TTabSheet* itens = new TTabSheet(&pc, QStringLiteral("Itens"));
    TTabSheet* parcelas = new TTabSheet(&pc, QStringLiteral("Parcelas"));
    QStringList events;

    TPages() {
        itens->setObjectName(QStringLiteral("tshItens"));
        pc.resize(400, 300);
        pc.show();
        QApplication::setActiveWindow(&pc);
        pc.OnChanging = [this](bool&) { events << "changing:" + pc.ActivePage()->Caption(); };
        pc.OnChange = [this] { events << "change:" + pc.ActivePage()->Caption(); };
    }

    void ClickTab(TTabSheet* page) {
        QTabBar* bar = pc.tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(page->PageIndex()).center());
    }
};

} // namespace

TEST(PageControl, OperatorChangesRunChangingWithTheOldPageThenChange) {
    TPages t;
    EXPECT_EQ(t.pc.ActivePage(), t.dados);
    t.ClickTab(t.itens);
    EXPECT_EQ(t.pc.ActivePage(), t.itens);
    QTest::keyClick(&t.pc, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(t.pc.ActivePage(), t.parcelas);
    EXPECT_EQ(t.events,
              (QStringList{"changing:Dados", "change:Itens", "changing:Itens", "change:Parcelas"}));

    t.events.clear();
    t.pc.SetActivePage(t.dados);
    EXPECT_EQ(t.pc.currentWidget(), t.dados);
    EXPECT_TRUE(t.events.isEmpty()) << "the program's changes run no events";
}

TEST(PageControl, ARefusalOrAnAbortKeepsThePage) {
    TFakeDialogs dialogs;
    TPages t;
    t.pc.OnChanging = [](bool& allow) { allow = false; };
    t.ClickTab(t.itens);
    EXPECT_EQ(t.pc.ActivePage(), t.dados);
    EXPECT_EQ(t.pc.currentWidget(), t.dados);

    t.pc.OnChanging = [](bool&) { throw EAbort(); };
    QTest::keyClick(&t.pc, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(t.pc.currentWidget(), t.dados);

    t.pc.OnChanging = [](bool&) { throw Exception(QStringLiteral("Informe a filial.")); };
    t.ClickTab(t.parcelas);
    EXPECT_EQ(t.pc.currentWidget(), t.dados);
    EXPECT_EQ(dialogs.Texts(), QStringList{"Informe a filial."});
    EXPECT_TRUE(t.events.isEmpty());
}

TEST(PageControl, DisabledAndHiddenPagesCannotBeSelected) {
    TPages t;
    t.itens->setEnabled(false);
    EXPECT_FALSE(t.pc.isTabEnabled(t.itens->PageIndex()));
    t.ClickTab(t.itens);
    EXPECT_EQ(t.pc.ActivePage(), t.dados);
    QTest::keyClick(&t.pc, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(t.pc.ActivePage(), t.parcelas) << "Ctrl+Tab skips the disabled page";

    t.dados->setEnabled(false);
    QTest::keyClick(&t.pc, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(t.pc.ActivePage(), t.parcelas) << "no other page to go to: the selection stays";

    t.itens->setEnabled(true);
    t.events.clear();
    t.parcelas->SetTabVisible(false);
    EXPECT_FALSE(t.pc.isTabVisible(2));
    EXPECT_NE(t.pc.ActivePage(), t.parcelas);
    EXPECT_EQ(t.pc.ActivePage(), t.pc.currentWidget());
    EXPECT_TRUE(t.events.isEmpty());

    t.itens->SetCaption(QStringLiteral("Itens do orçamento"));
    EXPECT_EQ(t.pc.tabText(1), QStringLiteral("Itens do orçamento"));
}

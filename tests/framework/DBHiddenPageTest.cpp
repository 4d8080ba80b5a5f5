// Data-aware controls on a page the operator is not looking at: they show
// the row the data set is on when their page is shown.

#include "framework/widgets/DBCheckBox.h"
#include "framework/widgets/DBDateEditPlus.h"
#include "framework/widgets/DBEdit.h"
#include "framework/widgets/DBText.h"
#include "framework/widgets/PageControl.h"
#include "framework/widgets/TabSheet.h"
#include "tests/framework/DBTestUtil.h"

#include <QTabBar>

TEST_F(DBControlsTest, ControlsOnAPageNotShownShowTheCurrentRowWhenItIs) {
    auto* pages = window.Add<TPageControl>();
    auto* header = new TTabSheet(pages, QStringLiteral("Cabeçalho"));
    auto* details = new TTabSheet(pages, QStringLiteral("Detalhes"));
    auto* branch = Bind(new TDBEdit(header), source, "CDFILIAL");
    auto* client = Bind(new TDBEdit(details), source, "NMCLIENTE");
    auto* date = Bind(new TDBDateEditPlus(details), source, "DTEVENTO");
    auto* confirmed = Bind(new TDBCheckBox(details), source, "IDCONFIRMADO");
    auto* total = Bind(new TDBText(details), source, "VRTOTAL");
    window.Show(branch);
    ASSERT_FALSE(client->isVisible());

    // Moved, and changed, while the page is not shown.
    budgets.Next();
    budgets.Edit();
    Field("VRTOTAL").SetAsFloat(75);
    budgets.Post();
    EXPECT_EQ(branch->text(), QStringLiteral("RJ02"));
    QTabBar* bar = pages->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(details->PageIndex()).center());
    ASSERT_TRUE(client->isVisible());
    EXPECT_EQ(client->text(), QStringLiteral("Bruno Reis"));
    EXPECT_EQ(date->GetDate(), 0.0);
    EXPECT_FALSE(confirmed->isChecked());
    EXPECT_EQ(total->text(), QStringLiteral("75,00"));

    // Shown, they follow every move; the hidden page catches up again.
    budgets.First();
    EXPECT_EQ(client->text(), QStringLiteral("Ana Lima"));
    EXPECT_EQ(date->GetDate(), DateToOle(QDate(2024, 12, 25)));
    EXPECT_TRUE(confirmed->isChecked());
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(header->PageIndex()).center());
    budgets.Next();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(details->PageIndex()).center());
    EXPECT_EQ(client->text(), QStringLiteral("Bruno Reis"));
    EXPECT_TRUE(dialogs.Shown().empty());
}

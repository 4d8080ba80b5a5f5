// Data-aware choices and labels: check box, radio group, text label.

#include "framework/widgets/DBCheckBox.h"
#include "framework/widgets/DBRadioGroup.h"
#include "framework/widgets/DBText.h"
#include "tests/framework/DBTestUtil.h"

#include <QRadioButton>

namespace {

// On the box itself, not on the empty room the layout gives the control.
void ClickBox(QCheckBox* box) {
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
}

} // namespace

TEST_F(DBControlsTest, CheckBoxWritesItsValuesOnClick) {
    auto* confirmed = Bind(window.Add<TDBCheckBox>(), source, "IDCONFIRMADO");
    confirmed->setText(QStringLiteral("Confirmado"));
    window.Show(confirmed);
    EXPECT_TRUE(confirmed->isChecked());

    ClickBox(confirmed);
    EXPECT_FALSE(confirmed->isChecked());
    EXPECT_EQ(budgets.State(), TDataSetState::Edit);
    EXPECT_EQ(Field("IDCONFIRMADO").AsString(), QStringLiteral("N"));
    QTest::keyClick(confirmed, Qt::Key_Space);
    EXPECT_EQ(Field("IDCONFIRMADO").AsString(), QStringLiteral("S"));
    budgets.Post();

    budgets.Next();
    EXPECT_FALSE(confirmed->isChecked());
    confirmed->ValueChecked = QStringLiteral("N");
    confirmed->ValueUnchecked = QStringLiteral("X");
    budgets.First(); // shows the field again with the new values
    EXPECT_FALSE(confirmed->isChecked());
    ClickBox(confirmed);
    EXPECT_EQ(Field("IDCONFIRMADO").AsString(), QStringLiteral("N"));
    budgets.Cancel();

    source.SetReadOnly(true);
    const bool before = confirmed->isChecked();
    ClickBox(confirmed);
    EXPECT_EQ(confirmed->isChecked(), before) << "a read-only box does not move";
    EXPECT_EQ(budgets.State(), TDataSetState::Browse);
    EXPECT_TRUE(dialogs.Shown().empty());
}

TEST_F(DBControlsTest, RadioGroupShowsAndWritesTheValueOfTheChosenItem) {
    auto* kind = Bind(window.Add<TDBRadioGroup>(), source, "TPEVENTO");
    kind->SetItems(
        {QStringLiteral("Casamento"), QStringLiteral("Corporativo"), QStringLiteral("Formatura")});
    kind->SetValues({QStringLiteral("A"), QStringLiteral("C"), QStringLiteral("F")});
    window.Show(kind);
    const auto buttons = kind->findChildren<QRadioButton*>();
    ASSERT_EQ(buttons.size(), 3);
    EXPECT_EQ(kind->ItemIndex(), 1);

    QTest::mouseClick(buttons[0], Qt::LeftButton);
    EXPECT_EQ(Field("TPEVENTO").AsString(), QStringLiteral("A"));
    EXPECT_EQ(kind->ItemIndex(), 0);
    budgets.Post();
    budgets.Next();
    EXPECT_EQ(kind->ItemIndex(), 2);

    Field("TPEVENTO").SetReadOnly(true);
    QTest::mouseClick(buttons[1], Qt::LeftButton);
    EXPECT_EQ(kind->ItemIndex(), 2) << "the choice goes back to what the field holds";
    EXPECT_EQ(budgets.State(), TDataSetState::Browse);

    Field("TPEVENTO").SetReadOnly(false);
    budgets.Edit();
    Field("TPEVENTO").SetAsString(QStringLiteral("Z"));
    EXPECT_EQ(kind->ItemIndex(), -1) << "no item for the value";
    EXPECT_TRUE(dialogs.Shown().empty());
}

TEST_F(DBControlsTest, TextLabelShowsTheDisplayTextAndFollowsTheRow) {
    auto* total = Bind(window.Add<TDBText>(), source, "VRTOTAL");
    EXPECT_EQ(total->text(), QStringLiteral("1.234,50"));
    budgets.Next();
    EXPECT_EQ(total->text(), QStringLiteral("80,00"));
    Field("VRTOTAL").OnGetText = [](const TField&, QString& text, bool) { text = "oitenta"; };
    budgets.First();
    EXPECT_EQ(total->text(), QStringLiteral("oitenta"));
    budgets.Close();
    EXPECT_EQ(total->text(), QString());
}

// The number edit: formatted while elsewhere, plain while editing, and only
// what makes a number can be typed.

#include "framework/widgets/NumberEdit.h"
#include "tests/framework/WidgetsTestUtil.h"

TEST(NumberEdit, FormattedWhileElsewherePlainWhileEditing) {
    TTestWindow window;
    auto* edit = window.Add<TNumberEdit>();
    window.Show(window.Add<QLineEdit>());
    EXPECT_TRUE(edit->alignment() & Qt::AlignRight);

    edit->SetNumber(1234.5);
    EXPECT_EQ(edit->text(), QStringLiteral("1.234,50"));
    QTest::mouseClick(edit, Qt::LeftButton);
    EXPECT_EQ(edit->text(), QStringLiteral("1234,5"));

    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("-98,7"));
    EXPECT_DOUBLE_EQ(edit->Number(), -98.7);
    TabOut(edit);
    EXPECT_EQ(edit->text(), QStringLiteral("-98,70"));
    EXPECT_DOUBLE_EQ(edit->Number(), -98.7);

    edit->SetDisplayFormat(QStringLiteral("#0.00 %"));
    EXPECT_EQ(edit->text(), QStringLiteral("-98,70 %"));
}

TEST(NumberEdit, RefusesWhatIsNotPartOfANumberAndTheKeypadPointIsTheComma) {
    TTestWindow window;
    auto* edit = window.Add<TNumberEdit>();
    window.Show(edit);
    EXPECT_EQ(edit->text(), QString()) << "zero is edited as an empty edit";

    QTest::keyClicks(edit, QStringLiteral("1a2-"));
    EXPECT_EQ(edit->text(), QStringLiteral("12"));
    QTest::keyClick(edit, Qt::Key_Period, Qt::KeypadModifier);
    QTest::keyClicks(edit, QStringLiteral("5,"));
    EXPECT_EQ(edit->text(), QStringLiteral("12,5"));
    EXPECT_DOUBLE_EQ(edit->Number(), 12.5);

    edit->clear();
    TabOut(edit);
    EXPECT_EQ(edit->Number(), 0);
    EXPECT_EQ(edit->text(), QStringLiteral("0,00"));
}

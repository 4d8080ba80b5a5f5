// The masked edit: the host's masks entered through Qt's input mask, and the
// value it gives back.

#include "framework/widgets/MaskEdit.h"
#include "framework/widgets/DateEditPlus.h"
#include "tests/framework/WidgetsTestUtil.h"
#include "tests/support/FakeDialogs.h"

TEST(MaskEdit, UpperCaseCodeWithoutLiteralsGivesTheTypedCharacters) {
    TTestWindow window;
    auto* edit = window.Add<TMaskEdit>();
    edit->SetEditMask(QStringLiteral(">aaaa;0; "));
    window.Show(edit);
    EXPECT_EQ(edit->Text(), QString());

    QTest::keyClicks(edit, QStringLiteral("sp1"));
    EXPECT_EQ(edit->displayText(), QStringLiteral("SP1 "));
    EXPECT_EQ(edit->Text(), QStringLiteral("SP1"));
    EXPECT_TRUE(edit->IsComplete()) << "every position is optional";

    edit->SetText(QStringLiteral("rj"));
    EXPECT_EQ(edit->displayText(), QStringLiteral("RJ  "));
    EXPECT_EQ(edit->Text(), QStringLiteral("RJ"));
}

TEST(MaskEdit, SaveLiteralsDecidesWhetherTheValueHoldsThem) {
    TTestWindow window;
    auto* bare = window.Add<TMaskEdit>();
    auto* full = window.Add<TMaskEdit>();
    bare->SetEditMask(QStringLiteral("000.000.000-00;0;_"));
    full->SetEditMask(QStringLiteral("000.000.000-00;1;_"));
    window.Show(bare);

    EXPECT_EQ(bare->displayText(), QStringLiteral("___.___.___-__"));
    EXPECT_EQ(bare->Text(), QString()) << "an empty edit is not its literals";
    EXPECT_FALSE(bare->IsComplete());

    QTest::keyClicks(bare, QStringLiteral("1a2345678901"));
    EXPECT_EQ(bare->displayText(), QStringLiteral("123.456.789-01")) << "letters refused";
    EXPECT_EQ(bare->Text(), QStringLiteral("12345678901"));
    EXPECT_TRUE(bare->IsComplete());

    full->setFocus();
    full->home(false);
    QTest::keyClicks(full, QStringLiteral("12345678901"));
    EXPECT_EQ(full->Text(), QStringLiteral("123.456.789-01"));

    bare->SetText(QStringLiteral("98765432100"));
    EXPECT_EQ(bare->displayText(), QStringLiteral("987.654.321-00"));
    full->SetText(QStringLiteral("987.654.321-00"));
    EXPECT_EQ(full->Text(), QStringLiteral("987.654.321-00"));
}

TEST(MaskEdit, LeadingBlanksRuleMovesMissingCharactersToTheStartOnLeaving) {
    TTestWindow window;
    auto* edit = window.Add<TMaskEdit>();
    edit->SetEditMask(QStringLiteral("!00:00;0; "));
    window.Show(edit);
    edit->home(false);

    QTest::keyClicks(edit, QStringLiteral("9:30"));
    EXPECT_EQ(edit->Text(), QStringLiteral("930"));
    TabOut(edit);
    EXPECT_EQ(edit->displayText(), QStringLiteral(" 9:30"));
    EXPECT_EQ(edit->Text(), QStringLiteral("930"));

    edit->SetText(QStringLiteral("0815"));
    EXPECT_EQ(edit->displayText(), QStringLiteral("08:15"));
}

TEST(MaskEdit, LiteralsThatQtReadsAsMaskCharactersStayLiterals) {
    TTestWindow window;
    auto* edit = window.Add<TMaskEdit>();
    edit->SetEditMask(QStringLiteral("00X00-B;1;_"));
    window.Show(edit);
    edit->home(false);
    QTest::keyClicks(edit, QStringLiteral("1234"));
    EXPECT_EQ(edit->displayText(), QStringLiteral("12X34-B"));
    EXPECT_EQ(edit->Text(), QStringLiteral("12X34-B"));

    edit->SetEditMask(QString());
    EXPECT_EQ(edit->Text(), QStringLiteral("12X34-B")) << "dropping the mask keeps the value";
    QTest::keyClicks(edit, QStringLiteral("zz"));
    EXPECT_EQ(edit->Text(), QStringLiteral("12X34-Bzz"));
}

TEST(MaskEdit, AClickGoesNoFurtherThanTheFirstEmptyPositionSoTypingIsKept) {
    enum class TClick { Middle, FirstCharacter };
    struct TCase {
        const char* name;
        bool date; // a date edit, else a budget number's edit
        QString before, typed, shown;
        TClick where;
    };
    const TCase cases[] = {
        {"empty date", true, "", "25122024", "25/12/2024", TClick::Middle},
        {"date with its day and month", true, "2512", "2024", "25/12/2024", TClick::Middle},
        {"empty budget number", false, "", "123", "123       ", TClick::Middle},
        {"a typed character is corrected", true, "25122024", "1", "15/12/2024",
         TClick::FirstCharacter},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        TFakeDialogs dialogs;
        TTestWindow window;
        TMaskEdit* edit = c.date ? window.Add<TDateEditPlus>() : window.Add<TMaskEdit>();
        if (!c.date)
            edit->SetEditMask(QStringLiteral(">cccccccccc;0; "));
        window.Show(edit);
        edit->home(false);
        QTest::keyClicks(edit, c.before);
        QPoint at(edit->width() / 2, edit->height() / 2);
        if (c.where == TClick::FirstCharacter) {
            edit->setCursorPosition(0);
            at = edit->inputMethodQuery(Qt::ImCursorRectangle).toRect().center() + QPoint(2, 0);
        }
        edit->end(false);
        // Clicked into from elsewhere, unless the date is partial and cannot be left.
        if (edit->IsEmpty() || edit->IsComplete()) {
            window.Next()->setFocus(Qt::TabFocusReason);
            Settle();
        }

        QTest::mouseClick(edit, Qt::LeftButton, {}, at);
        ASSERT_TRUE(edit->hasFocus());
        QTest::keyClicks(edit, c.typed);
        EXPECT_EQ(edit->displayText(), c.shown);
        EXPECT_TRUE(dialogs.Shown().empty());
    }
}

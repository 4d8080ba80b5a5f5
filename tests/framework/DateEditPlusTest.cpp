// The date edit: dates as OLE Automation values, the look of a valid date,
// and the check that keeps the operator on an invalid one.

#include "framework/widgets/DateEditPlus.h"
#include "core/data/Exceptions.h"
#include "core/data/OleDate.h"
#include "tests/framework/WidgetsTestUtil.h"
#include "tests/support/FakeDialogs.h"

#include <QDate>

namespace {

bool ShownInBlue(const QWidget* edit) {
    return edit->palette().color(QPalette::Text) == QColor(Qt::blue);
}

} // namespace

TEST(DateEditPlus, TypedDateIsReadAsOleDateShownInBlueWithItsWeekday) {
    TFakeDialogs dialogs;
    TTestWindow window;
    auto* edit = window.Add<TDateEditPlus>();
    window.Show(edit);
    EXPECT_EQ(edit->GetDate(), 0);
    EXPECT_FALSE(ShownInBlue(edit));

    edit->home(false);
    QTest::keyClicks(edit, QStringLiteral("2512202"));
    EXPECT_FALSE(ShownInBlue(edit)) << "a partial date";
    EXPECT_EQ(edit->toolTip(), QString());
    QTest::keyClicks(edit, QStringLiteral("4"));
    EXPECT_EQ(edit->displayText(), QStringLiteral("25/12/2024"));
    EXPECT_EQ(edit->GetDate(), DateToOle(QDate(2024, 12, 25)));
    EXPECT_TRUE(ShownInBlue(edit));
    EXPECT_EQ(edit->toolTip(), QStringLiteral("quarta-feira"));

    TabOut(edit);
    EXPECT_TRUE(dialogs.Shown().empty());
    EXPECT_TRUE(window.Next()->hasFocus());
}

TEST(DateEditPlus, SetDateShowsTheDateAndZeroEmpties) {
    TDateEditPlus edit;
    edit.SetDate(DateToOle(QDate(2024, 3, 3)));
    EXPECT_EQ(edit.displayText(), QStringLiteral("03/03/2024"));
    EXPECT_EQ(edit.toolTip(), QStringLiteral("domingo"));
    EXPECT_EQ(edit.GetDate(), DateToOle(QDate(2024, 3, 3)));

    edit.SetDate(DateToOle(QDate(2024, 3, 9)));
    EXPECT_EQ(edit.toolTip(), QStringLiteral("sábado"));

    edit.SetDate(0);
    EXPECT_EQ(edit.Text(), QString());
    EXPECT_EQ(edit.GetDate(), 0);
    EXPECT_EQ(edit.toolTip(), QString());
    EXPECT_FALSE(ShownInBlue(&edit));
    EXPECT_NO_THROW(edit.CheckValidDate()) << "an empty date is allowed";
}

TEST(DateEditPlus, AScreenMayNameTheWeekdaysItself) {
    TDateEditPlus edit;
    edit.SetDate(DateToOle(QDate(2024, 3, 3)));
    edit.SetWeekdayNames({"Domingo", "Segunda", "Terça", "Quarta", "Quinta", "Sexta", "Sábado"});
    EXPECT_EQ(edit.toolTip(), QStringLiteral("Domingo")); // the date shown takes the new name
    edit.SetDate(DateToOle(QDate(2024, 3, 9)));
    EXPECT_EQ(edit.toolTip(), QStringLiteral("Sábado"));
    edit.SetDate(DateToOle(QDate(2024, 3, 4)));
    EXPECT_EQ(edit.toolTip(), QStringLiteral("Segunda"));
    edit.SetWeekdayNames({"Dom"}); // not a week: back to the full names
    EXPECT_EQ(edit.toolTip(), QStringLiteral("segunda-feira"));
}

TEST(DateEditPlus, LeavingAnInvalidOrPartialDateTellsTheOperatorAndKeepsTheFocus) {
    for (const QString& typed :
         {QStringLiteral("31022024"), QStringLiteral("12132024"), QStringLiteral("120")}) {
        SCOPED_TRACE(typed.toStdString());
        TFakeDialogs dialogs;
        TTestWindow window;
        auto* edit = window.Add<TDateEditPlus>();
        window.Show(edit);
        edit->home(false);
        QTest::keyClicks(edit, typed);
        EXPECT_EQ(edit->GetDate(), 0);
        EXPECT_FALSE(ShownInBlue(edit));

        bool focusedWhileShown = false;
        dialogs.OnShow = [&](const TFakeDialogs::TShown&) { focusedWhileShown = edit->hasFocus(); };
        TabOut(edit);
        EXPECT_EQ(dialogs.Texts(TFakeDialogs::TKind::Error),
                  QStringList{QStringLiteral("Data inválida.")});
        EXPECT_TRUE(focusedWhileShown) << "the box gives the focus back to the date";
        EXPECT_TRUE(edit->hasFocus());

        EXPECT_THROW(edit->CheckValidDate(), EAbort);
    }
}

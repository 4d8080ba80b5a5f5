// Data-aware edits: what they show, when they put the data set into edit
// state, when the typed text reaches the field, and when typing is refused.

#include "framework/widgets/DBEdit.h"
#include "core/data/Exceptions.h"
#include "framework/widgets/DBDateEditPlus.h"
#include "framework/widgets/DBMemo.h"
#include "tests/framework/DBTestUtil.h"

namespace {

// Rows that cannot be changed, as a query's.
class TFixedRows : public TRecordSet {
public:
    using TRecordSet::TRecordSet;
    bool CanModify() const override { return false; }
};

} // namespace

TEST_F(DBControlsTest, EditShowsDisplayTextAndWritesWhenLeft) {
    auto* client = Bind(window.Add<TDBEdit>(), source, "NMCLIENTE");
    auto* total = Bind(window.Add<TDBEdit>(), source, "VRTOTAL");
    window.Show(client);
    EXPECT_EQ(client->text(), QStringLiteral("Ana Lima"));
    EXPECT_EQ(total->text(), QStringLiteral("1.234,50"));
    EXPECT_EQ(client->maxLength(), 40) << "no more than the field holds";

    client->end(false);
    EXPECT_EQ(budgets.State(), TDataSetState::Browse) << "moving the cursor changes nothing";
    QTest::keyClicks(client, QStringLiteral(" Souza"));
    EXPECT_EQ(budgets.State(), TDataSetState::Edit);
    EXPECT_EQ(Field("NMCLIENTE").AsString(), QStringLiteral("Ana Lima")) << "not before leaving";

    TabOut(client);
    EXPECT_EQ(Field("NMCLIENTE").AsString(), QStringLiteral("Ana Lima Souza"));
    EXPECT_TRUE(total->hasFocus());
    total->selectAll();
    QTest::keyClicks(total, QStringLiteral("99,9"));
    TabOut(total);
    EXPECT_DOUBLE_EQ(Field("VRTOTAL").AsFloat(), 99.9);
    EXPECT_EQ(total->text(), QStringLiteral("99,90"));

    budgets.Post();
    budgets.Next();
    EXPECT_EQ(client->text(), QStringLiteral("Bruno Reis"));
    EXPECT_TRUE(dialogs.Shown().empty());
}

TEST_F(DBControlsTest, PostTakesTheTextStillBeingTypedAndEmptyIsNull) {
    auto* client = Bind(window.Add<TDBEdit>(), source, "NMCLIENTE");
    auto* memo = Bind(window.Add<TDBMemo>(), source, "DSOBSERVACAO");
    window.Show(memo);
    QTest::keyClick(memo, Qt::Key_Return);
    EXPECT_EQ(budgets.State(), TDataSetState::Edit) << "a new line is a change";
    QTest::keyClicks(memo, QStringLiteral("Buffet"));
    QTest::keyClick(memo, Qt::Key_Return);
    QTest::keyClicks(memo, QStringLiteral("Som"));
    client->setFocus();
    client->selectAll();
    QTest::keyClick(client, Qt::Key_Delete);

    budgets.Post(); // before the client's exit ran
    EXPECT_EQ(Field("DSOBSERVACAO").AsString(), QStringLiteral("\nBuffet\nSom"));
    EXPECT_TRUE(Field("NMCLIENTE").IsNull());
    EXPECT_EQ(budgets.State(), TDataSetState::Browse);
    Settle();
    EXPECT_TRUE(Field("NMCLIENTE").IsNull());
}

TEST_F(DBControlsTest, EditUsesTheFieldMask) {
    auto* branch = Bind(window.Add<TDBEdit>(), source, "CDFILIAL");
    window.Show(branch);
    EXPECT_EQ(branch->displayText(), QStringLiteral("SP01"));
    branch->selectAll();
    QTest::keyClicks(branch, QStringLiteral("mg"));
    TabOut(branch);
    EXPECT_EQ(Field("CDFILIAL").AsString(), QStringLiteral("MG"));
    EXPECT_EQ(branch->displayText(), QStringLiteral("MG  "));
}

TEST_F(DBControlsTest, TypingIsRefusedSilentlyWhereNothingCanChange) {
    auto* client = Bind(window.Add<TDBEdit>(), source, "NMCLIENTE");
    auto* memo = Bind(window.Add<TDBMemo>(), source, "DSOBSERVACAO");
    window.Show(client);
    auto typeInto = [&](QWidget* control) {
        control->setFocus();
        QTest::keyClicks(control, QStringLiteral("x"));
        QTest::keyClick(control, Qt::Key_Backspace);
        TabOut(control);
    };

    Field("NMCLIENTE").SetReadOnly(true);
    typeInto(client);
    EXPECT_EQ(client->text(), QStringLiteral("Ana Lima"));
    typeInto(memo);
    EXPECT_EQ(budgets.State(), TDataSetState::Edit) << "the memo's field could change";
    budgets.Cancel();

    source.SetReadOnly(true);
    typeInto(memo);
    EXPECT_EQ(budgets.State(), TDataSetState::Browse);
    EXPECT_EQ(memo->toPlainText(), QString());

    TFixedRows fixed(Defs());
    fixed.CreateDataSet();
    source.SetReadOnly(false);
    source.SetDataSet(&fixed);
    typeInto(memo);
    EXPECT_EQ(fixed.State(), TDataSetState::Browse);
    EXPECT_TRUE(dialogs.Shown().empty());
    source.SetDataSet(nullptr);
}

TEST_F(DBControlsTest, DateEditFollowsTheDateFieldAndAnInvalidDateStopsThePost) {
    auto* date = Bind(window.Add<TDBDateEditPlus>(), source, "DTEVENTO");
    window.Show(date);
    EXPECT_EQ(date->displayText(), QStringLiteral("25/12/2024"));

    date->home(false);
    QTest::keyClicks(date, QStringLiteral("01032025"));
    EXPECT_EQ(budgets.State(), TDataSetState::Edit);
    TabOut(date);
    EXPECT_EQ(Field("DTEVENTO").AsDateTime(), DateToOle(QDate(2025, 3, 1)));

    date->setFocus();
    date->home(false);
    QTest::keyClicks(date, QStringLiteral("3102"));
    EXPECT_THROW(budgets.Post(), EAbort);
    EXPECT_EQ(dialogs.Texts(), QStringList{QStringLiteral("Data inválida.")});
    EXPECT_EQ(budgets.State(), TDataSetState::Edit);

    date->selectAll();
    QTest::keyClick(date, Qt::Key_Delete);
    budgets.Post();
    EXPECT_TRUE(Field("DTEVENTO").IsNull());

    budgets.Next();
    EXPECT_EQ(date->Text(), QString());
    budgets.First();
    EXPECT_EQ(date->GetDate(), 0);
}

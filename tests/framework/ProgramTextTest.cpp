// Boxes the program fills as it moves through records: what the operator
// typed never survives the program putting a value back, even the value the
// box had before.

#include "framework/widgets/MaskEdit.h"
#include "framework/widgets/NumberEdit.h"
#include "tests/framework/WidgetsTestUtil.h"

#include <functional>

TEST(ProgramText, WhatTheOperatorTypedGivesWayToTheProgramsValue) {
    TTestWindow window;
    auto* plain = window.Add<TMaskEdit>();
    auto* masked = window.Add<TMaskEdit>();
    masked->SetEditMask(QStringLiteral("000.000.000-00;0;_"));
    auto* number = window.Add<TNumberEdit>();
    window.Show(window.Add<QLineEdit>());
    const struct {
        QLineEdit* edit;
        std::function<void()> put;
        QString shown;
    } boxes[] = {
        {plain, [&] { plain->SetText(QStringLiteral("Ana Lima")); }, QStringLiteral("Ana Lima")},
        {masked, [&] { masked->SetText(QStringLiteral("12345678901")); },
         QStringLiteral("123.456.789-01")},
        {number, [&] { number->SetNumber(1234.5); }, QStringLiteral("1.234,50")},
    };
    // The operator clicks the box after them all.
    auto leave = [&] {
        QTest::mouseClick(window.Next(), Qt::LeftButton);
        Settle();
    };
    for (const auto& box : boxes) {
        SCOPED_TRACE(box.shown.toStdString());
        box.put();
        box.put();
        EXPECT_EQ(box.edit->displayText(), box.shown);

        // Typed over, left, and put back by the program.
        QTest::mouseClick(box.edit, Qt::LeftButton);
        box.edit->selectAll();
        QTest::keyClicks(box.edit, QStringLiteral("9"));
        leave();
        ASSERT_NE(box.edit->displayText(), box.shown);
        box.put();
        EXPECT_EQ(box.edit->displayText(), box.shown);

        // Typed over and typed back as it was: the program's put still
        // ends the operator's editing (nothing left to undo).
        QTest::mouseClick(box.edit, Qt::LeftButton);
        QTest::keyClick(box.edit, Qt::Key_End);
        QTest::keyClick(box.edit, Qt::Key_Backspace);
        QTest::keyClick(box.edit, Qt::Key_Z, Qt::ControlModifier);
        leave();
        box.put();
        EXPECT_EQ(box.edit->displayText(), box.shown);
        EXPECT_FALSE(box.edit->isUndoAvailable() || box.edit->isRedoAvailable());

        // Emptied by code behind the box's back.
        box.edit->clear();
        box.put();
        EXPECT_EQ(box.edit->displayText(), box.shown);
    }
}

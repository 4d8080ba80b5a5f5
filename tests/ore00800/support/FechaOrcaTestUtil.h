#pragma once

#include "ore/ore00800/Cli_ore00800.h"
#include "ore/ore00800/Pkg_ore00800.h"
#include "tests/ore00800/support/ScreenTestUtil.h"

#include "framework/services/Dispatch.h"
#include "tests/support/ModalHook.h"

#include <QApplication>
#include <QTest>
#include <QToolButton>

// The closing screen opened as the host opens it, active, with the focus
// where it starts. Server, dialogs and busy indicator are the fixture's fakes.
class FechaOrcaTest : public ScreenTest {
protected:
    void SetUp() override {
        ScreenTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        Initialize();
    }
    void TearDown() override {
        Finalize();
        ScreenTest::TearDown();
    }

    // Opens the screen and lets its first activation run.
    TfrmFechaOrca& Open() {
        IniProc();
        TfrmFechaOrca* s = frmFechaOrca;
        QApplication::setActiveWindow(s);
        EXPECT_TRUE(QTest::qWaitForWindowActive(s));
        Settle();
        return *s;
    }

    // Makes `window` active again, as it is once a modal window that the
    // test hook drove has gone.
    static void Reactivate(QWidget& window) {
        QApplication::setActiveWindow(&window);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        Settle();
    }

    // The operator works in another window, then comes back to `window`.
    static void SwitchAwayAndBack(QWidget& window) {
        QWidget other;
        other.show();
        QApplication::setActiveWindow(&other);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&other));
        Reactivate(window);
    }

    // Lets the queued focus handlers run.
    static void Settle() {
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
    }

    static void Click(QToolButton* button) {
        QTest::mouseClick(button, Qt::LeftButton);
        Settle();
    }

    // Clicks a button of the window by name.
    static void ClickIn(QWidget& window, const char* name) {
        auto* button = window.findChild<QToolButton*>(QLatin1String(name));
        ASSERT_TRUE(button) << name;
        QTest::mouseClick(button, Qt::LeftButton);
    }

    // The retrieval as the filter's confirmation runs it.
    static bool Retrieve(TfrmFechaOrca& s) {
        return Dispatch([&] { s.sbtVerificarClick(); });
    }

    // Lists `budgets` for the next retrievals and runs one.
    void List(TfrmFechaOrca& s, const std::vector<TPacketRow>& budgets) {
        ListDetails(s, TOrcaEventoRows{budgets, {}, {}, {}, {}, {}});
    }
    // The same with their details.
    void ListDetails(TfrmFechaOrca& s, const TOrcaEventoRows& rows) {
        server.Reply(QStringLiteral("GetOrcaEvento"), OrcaEventoDetailsAnswer(rows));
        ASSERT_TRUE(Retrieve(s));
    }
};

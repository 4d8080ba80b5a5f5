// Enter and exit handlers as an operator triggers them with Tab and clicks.

#include "FocusTracker.h"
#include "Exceptions.h"
#include "FakeDialogs.h"
#include "ModalRunner.h"

#include <QApplication>
#include <QDialog>
#include <QGroupBox>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

// A branch bar holding a code edit, then two edits outside it, in tab order.
class FocusTrackerTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto* layout = new QVBoxLayout(&m_window);
        m_bar = new QGroupBox(&m_window);
        auto* barLayout = new QVBoxLayout(m_bar);
        m_code = new QLineEdit(m_bar);
        barLayout->addWidget(m_code);
        m_first = new QLineEdit(&m_window);
        m_second = new QLineEdit(&m_window);
        layout->addWidget(m_bar);
        layout->addWidget(m_first);
        layout->addWidget(m_second);
        auto& t = TFocusTracker::Instance();
        for (const auto& entry : {std::pair<QWidget*, QString>{m_bar, "bar"},
                                  {m_code, "code"},
                                  {m_first, "first"},
                                  {m_second, "second"}}) {
            const QString name = entry.second;
            t.SetOnEnter(entry.first, [this, name] { m_log << "enter " + name; });
            t.SetOnExit(entry.first, [this, name] { m_log << "exit " + name; });
        }
        m_window.show();
        QApplication::setActiveWindow(&m_window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&m_window));
        m_code->setFocus();
        Settle();
        m_log.clear();
    }

    // Lets queued handlers run.
    static void Settle() {
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
    }
    void Tab() {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        Settle();
    }

    QWidget m_window;
    QGroupBox* m_bar = nullptr;
    QLineEdit* m_code = nullptr;
    QLineEdit* m_first = nullptr;
    QLineEdit* m_second = nullptr;
    QStringList m_log;
    TFakeDialogs m_dialogs;
};

} // namespace

TEST_F(FocusTrackerTest, LeavingAndEnteringAContainerRunInnerExitsThenOuterEnters) {
    Tab();
    EXPECT_EQ(m_log, (QStringList{"exit code", "exit bar", "enter first"}));
    m_log.clear();
    Tab();
    EXPECT_EQ(m_log, (QStringList{"exit first", "enter second"}));
    m_log.clear();
    m_code->setFocus(Qt::MouseFocusReason); // a click back into the bar
    Settle();
    EXPECT_EQ(m_log, (QStringList{"exit second", "enter bar", "enter code"}));
}

TEST_F(FocusTrackerTest, AnAbortingExitKeepsTheFocusWithoutLooping) {
    int exits = 0;
    TFocusTracker::Instance().SetOnExit(m_code, [&] {
        ++exits;
        // As validations do: show the message, put the focus back, abort.
        m_dialogs.Error(QStringLiteral("Filial deve ser informada."));
        m_code->setFocus();
        throw EAbort();
    });
    Tab();
    EXPECT_EQ(QApplication::focusWidget(), m_code);
    EXPECT_EQ(exits, 1);
    EXPECT_TRUE(m_log.isEmpty()) << m_log.join(", ").toStdString(); // no bar exit, no enter
    EXPECT_EQ(m_dialogs.Texts().size(), 1);

    // An error other than an abort vetoes too, and is shown.
    TFocusTracker::Instance().SetOnExit(m_code, [] { throw EDatabaseError("Falhou."); });
    Tab();
    EXPECT_EQ(QApplication::focusWidget(), m_code);
    EXPECT_EQ(m_dialogs.Texts().last(), QStringLiteral("Falhou."));
}

TEST_F(FocusTrackerTest, AWindowOpenedByAHandlerRunsNoHandlersAndOpensAfterTheMove) {
    QWidget* focusInHandler = nullptr;
    int exits = 0;
    TFocusTracker::Instance().SetOnExit(m_bar, [&] {
        ++exits;
        focusInHandler = QApplication::focusWidget();
        // A modal dialog, as the branch bar's exit opens the filter.
        QDialog dialog(&m_window);
        auto* edit = new QLineEdit(&dialog);
        QTimer::singleShot(0, &dialog, [&] {
            edit->setFocus();
            dialog.accept();
        });
        dialog.exec();
    });
    Tab();
    EXPECT_EQ(exits, 1);
    EXPECT_EQ(focusInHandler, m_first); // Qt had delivered the move already
    EXPECT_EQ(m_log, (QStringList{"exit code", "enter first"}));
}

TEST_F(FocusTrackerTest, AModalWindowOpenedByAHandlerRunsItsOwnControlsHandlers) {
    // The branch bar's exit opens the filter, whose edits have exits of their own.
    QStringList inner;
    TFocusTracker::Instance().SetOnExit(m_bar, [&] {
        QDialog dialog(&m_window);
        auto* layout = new QVBoxLayout(&dialog);
        auto* from = new QLineEdit(&dialog);
        auto* to = new QLineEdit(&dialog);
        layout->addWidget(from);
        layout->addWidget(to);
        TFocusTracker::Instance().SetOnExit(from, [&] { inner << "exit from"; });
        TFocusTracker::Instance().SetOnEnter(to, [&] { inner << "enter to"; });
        QTimer::singleShot(0, &dialog, [&] {
            from->setFocus();
            Settle();
            QTest::keyClick(from, Qt::Key_Tab);
            Settle();
            dialog.accept();
        });
        TModalRunner::Exec(dialog);
    });
    Tab();
    EXPECT_EQ(inner, (QStringList{"exit from", "enter to"}));
    // And the outer move went on as before, without running twice.
    EXPECT_EQ(m_log, (QStringList{"exit code", "enter first"}));
}

// Enter and exit handlers as an operator triggers them with Tab and clicks.

#include "framework/services/FocusTracker.h"
#include "core/data/Exceptions.h"
#include "framework/services/Dispatch.h"
#include "framework/widgets/ModalRunner.h"
#include "tests/support/FakeDialogs.h"

#include <QApplication>
#include <QDialog>
#include <QGroupBox>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>
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

TEST_F(FocusTrackerTest, MovesTheCodeMakesRunNothingAndTheOperatorGoesOnFromThere) {
    // What a handler may do to the focus: a check putting it on the control
    // to mend, a control disabled or hidden while it has it.
    const struct {
        const char* what;
        std::function<void()> move;
    } cases[] = {
        {"focus", [this] { m_second->setFocus(Qt::OtherFocusReason); }},
        {"disable", [this] { m_code->setEnabled(false); }},
        {"hide", [this] { m_code->hide(); }},
    };
    auto* button = new QToolButton(&m_window);
    button->setFocusPolicy(Qt::NoFocus);
    m_window.layout()->addWidget(button);
    const std::function<void()>* move = nullptr;
    QObject::connect(button, &QToolButton::clicked, [&] { Dispatch(*move); });
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        m_code->show();
        m_code->setEnabled(true);
        m_code->setFocus(Qt::MouseFocusReason);
        Settle();
        m_log.clear();
        move = &c.move;
        QTest::mouseClick(button, Qt::LeftButton);
        Settle();
        EXPECT_TRUE(m_log.isEmpty()) << m_log.join(", ").toStdString();
        // The operator's next move starts where the code put the focus.
        const QWidget* at = QApplication::focusWidget();
        ASSERT_TRUE(at == m_first || at == m_second);
        Tab();
        ASSERT_FALSE(m_log.isEmpty());
        EXPECT_EQ(m_log.front(), at == m_first ? "exit first" : "exit second");
    }
}

TEST(FocusTrackerMdi, FramesMenuBarsAndOtherScreensRunNothingInsideTheMdiArea) {
    QStringList log;
    QMainWindow host;
    auto* area = new QMdiArea(&host);
    host.setCentralWidget(area);
    // Two screens, each with a menu bar, a tool button, a bar holding a code,
    // and a second edit.
    struct TScreen {
        QWidget* widget;
        QMenuBar* menuBar;
        QMenu* menu;
        QToolButton* tool;
        QLineEdit* code;
        QLineEdit* other;
        QMdiSubWindow* frame;
    };
    auto makeScreen = [&](const QString& name) {
        TScreen s;
        s.widget = new QWidget;
        auto* layout = new QVBoxLayout(s.widget);
        s.menuBar = new QMenuBar(s.widget);
        s.menuBar->setNativeMenuBar(false);
        s.menu = s.menuBar->addMenu(QStringLiteral("Operação"));
        s.menu->addAction(QStringLiteral("Folha de Dados"));
        s.tool = new QToolButton(s.widget);
        s.tool->setFocusPolicy(Qt::NoFocus);
        auto* bar = new QGroupBox(s.widget);
        s.code = new QLineEdit(bar);
        (new QVBoxLayout(bar))->addWidget(s.code);
        s.other = new QLineEdit(s.widget);
        for (QWidget* w : {static_cast<QWidget*>(s.menuBar), static_cast<QWidget*>(s.tool),
                           static_cast<QWidget*>(bar), static_cast<QWidget*>(s.other)})
            layout->addWidget(w);
        auto& t = TFocusTracker::Instance();
        for (const auto& [w, what] :
             {std::pair<QWidget*, QString>{bar, "bar"}, {s.code, "code"}, {s.other, "other"}}) {
            t.SetOnEnter(w, [&log, n = name + " " + what] { log << "enter " + n; });
            t.SetOnExit(w, [&log, n = name + " " + what] { log << "exit " + n; });
        }
        s.frame = area->addSubWindow(s.widget);
        s.widget->show();
        return s;
    };
    const TScreen a = makeScreen(QStringLiteral("A"));
    const TScreen b = makeScreen(QStringLiteral("B"));
    host.show();
    QApplication::setActiveWindow(&host);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&host));
    auto settle = [] {
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
    };
    area->setActiveSubWindow(a.frame);
    QTest::mouseClick(a.code, Qt::LeftButton);
    settle();
    log.clear();

    QTest::mouseClick(a.tool, Qt::LeftButton);
    settle();
    EXPECT_EQ(QApplication::focusWidget(), a.code);

    QTest::mouseClick(a.menuBar, Qt::LeftButton, {},
                      a.menuBar->actionGeometry(a.menu->menuAction()).center());
    settle();
    EXPECT_TRUE(a.menu->isVisible());
    QTest::keyClick(a.menu, Qt::Key_Escape);
    settle();
    QTest::keyClick(a.menuBar, Qt::Key_Escape);
    settle();
    EXPECT_EQ(QApplication::focusWidget(), a.code);
    EXPECT_TRUE(log.isEmpty()) << log.join(", ").toStdString();

    // Another screen and back: activation, not leaving the code.
    QTest::mouseClick(b.other, Qt::LeftButton);
    settle();
    EXPECT_EQ(QApplication::focusWidget(), b.other);
    QTest::mouseClick(a.code, Qt::LeftButton);
    settle();
    EXPECT_TRUE(log.isEmpty()) << log.join(", ").toStdString();

    // The operator's own moves inside a screen still run its handlers.
    QTest::keyClick(a.code, Qt::Key_Tab);
    settle();
    EXPECT_EQ(log, (QStringList{"exit A code", "exit A bar", "enter A other"}));
}

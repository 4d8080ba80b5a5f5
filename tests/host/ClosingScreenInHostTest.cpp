// The closing screen inside the host's MDI area, clicked as the operator
// clicks it: its tool bar, its menu bar and its frame's close button take no
// focus from the branch code and run none of its checks, and the screen
// always closes; and on a small desktop it is whole and readable.

#include "tests/host/HostWindowTest.h"

#include "framework/services/Session.h"
#include "tests/support/ModalHook.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPointer>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionTitleBar>
#include <QTableView>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

using TKind = TFakeDialogs::TKind;

class ClosingScreenInHost : public HostWindowTest {
protected:
    void SetUp() override {
        HostWindowTest::SetUp();
        QApplication::setActiveWindow(&window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    // Opens the closing screen from the "Telas" menu and lets its first
    // activation run.
    QWidget* Open() {
        Choose("mniORE00800");
        Settle();
        EXPECT_EQ(Children().size(), 1);
        return Children().isEmpty() ? nullptr : Children().front()->widget();
    }
    template <class T> static T* Find(QWidget* screen, const char* name) {
        T* w = screen->findChild<T*>(QLatin1String(name));
        EXPECT_TRUE(w) << name;
        return w;
    }
    static void Settle() {
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
    }
    // Clicks the branch code and types `code` over what it holds.
    static void TypeBranch(QWidget* screen, const QString& code) {
        auto* edit = Find<QLineEdit>(screen, "medCdFilial");
        QTest::mouseClick(edit, Qt::LeftButton);
        Settle();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, code);
        Settle();
    }
    // Clicks the close button on the title bar of the screen's frame.
    static void ClickFrameClose(QMdiSubWindow* frame) {
        QStyleOptionTitleBar title;
        title.initFrom(frame);
        title.titleBarFlags = frame->windowFlags();
        title.titleBarState = int(frame->windowState());
        title.subControls = QStyle::SC_All;
        const int height = frame->style()->pixelMetric(QStyle::PM_TitleBarHeight, &title, frame);
        title.rect = QRect(0, 0, frame->width(), height);
        const QPoint at =
            frame->style()
                ->subControlRect(QStyle::CC_TitleBar, &title, QStyle::SC_TitleBarCloseButton, frame)
                .center();
        // The frame picks the button under the pointer as it moves there.
        QMouseEvent move(QEvent::MouseMove, at, frame->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(frame, &move);
        QTest::mouseClick(frame, Qt::LeftButton, {}, at);
    }
};

} // namespace

TEST_F(ClosingScreenInHost, ToolBarAndMenuBarRunNoCheckOfTheBranchCode) {
    for (const QString& code : {QStringLiteral("0002"), QStringLiteral("9999")}) {
        SCOPED_TRACE(code.toStdString());
        QWidget* screen = Open();
        ASSERT_TRUE(screen);
        auto* branch = Find<QLineEdit>(screen, "medCdFilial");
        TypeBranch(screen, code);
        ASSERT_EQ(QApplication::focusWidget(), branch);
        TModalHook filter([](QDialog& d) { d.reject(); });
        dialogs.Clear();

        // A tool-bar button does its work and leaves the operator in the code.
        QTest::mouseClick(Find<QToolButton>(screen, "sbtAjuda"), Qt::LeftButton);
        Settle();
        EXPECT_EQ(dialogs.Texts(),
                  QStringList{QStringLiteral("Não há ajuda disponível para esta tela.")});
        EXPECT_EQ(QApplication::focusWidget(), branch);

        // The menu bar opens its menu; leaving it comes back to the code.
        auto* bar = Find<QMenuBar>(screen, "mnuMenu");
        auto* operacao = Find<QMenu>(screen, "mnuOperacao");
        QTest::mouseClick(bar, Qt::LeftButton, {},
                          bar->actionGeometry(operacao->menuAction()).center());
        Settle();
        EXPECT_TRUE(operacao->isVisible());
        QTest::keyClick(operacao, Qt::Key_Escape);
        Settle();
        QTest::keyClick(bar, Qt::Key_Escape);
        Settle();
        EXPECT_FALSE(operacao->isVisible());
        EXPECT_EQ(QApplication::focusWidget(), branch);

        EXPECT_EQ(filter.Opened(), 0);
        EXPECT_EQ(dialogs.Texts(TKind::Error), QStringList());
        EXPECT_EQ(branch->text(), code);
        window.mdiPrincipal->closeAllSubWindows();
        Settle();
    }
}

TEST_F(ClosingScreenInHost, AScreenWithAWrongBranchCodeStillCloses) {
    const std::function<void(QMdiSubWindow*)> closers[] = {
        [](QMdiSubWindow* frame) {
            QTest::mouseClick(Find<QToolButton>(frame->widget(), "sbtFechar"), Qt::LeftButton);
        },
        [](QMdiSubWindow* frame) { ClickFrameClose(frame); },
    };
    for (const auto& close : closers) {
        QPointer<QWidget> screen = Open();
        ASSERT_TRUE(screen);
        TypeBranch(screen, QStringLiteral("9999"));
        dialogs.Clear();
        close(Children().front());
        EXPECT_TRUE(QTest::qWaitFor([&] { return screen.isNull() && Children().isEmpty(); }, 5000));
        Settle();
        EXPECT_EQ(dialogs.Texts(), QStringList());
    }
}

TEST_F(ClosingScreenInHost, ABoundSessionOpensTheScreenWithoutTheFilter) {
    TSessionInfo session = Session();
    session.moduFili = true;
    StartSession(session);
    TModalHook filter([](QDialog& d) { d.reject(); });
    QWidget* screen = Open();
    ASSERT_TRUE(screen);
    EXPECT_FALSE(Find<QLineEdit>(screen, "medCdFilial")->isEnabled());
    EXPECT_EQ(filter.Opened(), 0);
    EXPECT_EQ(dialogs.Texts(), QStringList());
}

TEST_F(ClosingScreenInHost, TheScreenIsWhollyReadableOnAnEightHundredBySixHundredDesktop) {
    // The host maximised on such a desktop, under its title bar.
    window.showNormal();
    window.resize(800, 580);
    std::vector<TPacketRow> budgets;
    for (int i = 1; i <= 40; ++i)
        budgets.push_back(BudgetRow(QStringLiteral("%1").arg(i, 10, 10, QLatin1Char('0')),
                                    QStringLiteral("00"), QStringLiteral("2"),
                                    QStringLiteral("Marina Albuquerque Nogueira")));
    server.Reply(QStringLiteral("GetOrcaEvento"), OrcaEventoAnswer(budgets));
    QWidget* screen = Open();
    ASSERT_TRUE(screen);
    QMdiSubWindow* frame = Children().front();
    auto* list = Find<QAbstractScrollArea>(screen, "dbgPadrao");
    auto* grid = static_cast<QTableView*>(list);
    const auto fits = [&](const char* when) {
        SCOPED_TRACE(when);
        Settle();
        // The whole screen inside the window area, title bar and navigator included.
        EXPECT_TRUE(
            QRect(QPoint(), window.mdiPrincipal->viewport()->size()).contains(frame->geometry()))
            << frame->geometry().width() << "×" << frame->geometry().height();
        // Every column whole, without scrolling sideways.
        int columns = 0;
        for (int c = 0; c < grid->model()->columnCount(); ++c)
            columns += grid->columnWidth(c);
        EXPECT_LE(columns, list->viewport()->width());
        EXPECT_FALSE(list->horizontalScrollBar()->isVisible());
    };
    fits("nothing listed");
    {
        // Leaving the branch bar opens the filter, whose confirmation lists.
        TModalHook filter([](QDialog& d) {
            QTest::mouseClick(d.findChild<QToolButton*>(QStringLiteral("sbtConfirma")),
                              Qt::LeftButton);
        });
        QTest::keyClick(Find<QLineEdit>(screen, "medCdFilial"), Qt::Key_Tab);
        Settle();
        ASSERT_EQ(filter.Opened(), 1);
    }
    ASSERT_EQ(grid->model()->rowCount(), 40);
    fits("a list longer than the page");

    // Names read beside their codes, in the text's colour.
    auto* name = Find<QLineEdit>(screen, "edtNmFilial");
    EXPECT_TRUE(name->isEnabled() && name->isReadOnly());
    EXPECT_EQ(name->text(), QStringLiteral("Celebrar Matriz São Paulo"));

    // No two tool-bar buttons read alike.
    QStringList read;
    for (const QToolButton* b : Find<QWidget>(screen, "panMenu")->findChildren<QToolButton*>())
        read << (b->text().isEmpty() ? b->toolTip() : b->text());
    read.sort();
    EXPECT_EQ(read.removeDuplicates(), 0) << read.join(u' ').toStdString();
}

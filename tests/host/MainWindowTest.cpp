// The main window, driven from its menus as the operator would.

#include "tests/host/HostWindowTest.h"

#include <QAction>
#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

using MainWindow = HostWindowTest;

QStringList MenuTexts(const QMenu* menu) {
    QStringList texts;
    for (const QAction* a : menu->actions())
        if (!a->isSeparator())
            texts << a->text();
    return texts;
}

} // namespace

TEST_F(MainWindow, MenusOfferTheKnownScreensAndAnyCode) {
    EXPECT_EQ(MenuTexts(window.findChild<QMenu*>(QStringLiteral("mnuArquivo"))),
              QStringList{QStringLiteral("&Sair")});
    EXPECT_EQ(MenuTexts(window.findChild<QMenu*>(QStringLiteral("mnuTelas"))),
              (QStringList{QStringLiteral("ORE00800 - Fechamento do Orçamento"),
                           QStringLiteral("Abrir tela...")}));
}

TEST_F(MainWindow, AnAbsentModuleIsToldAndOpensNothing) {
    QTimer::singleShot(0, [] {
        auto* edit = QApplication::activeModalWidget()->findChild<QLineEdit*>();
        QTest::keyClicks(edit, QStringLiteral("ore99999"));
        QTest::keyClick(edit, Qt::Key_Return);
    });
    Choose("mniAbrirTela");
    EXPECT_EQ(
        dialogs.Texts(TFakeDialogs::TKind::Error),
        QStringList{QStringLiteral("Módulo da tela ORE99999 não encontrado: libPkg_ore99999.so")});
    EXPECT_TRUE(Children().isEmpty());
}

TEST_F(MainWindow, ScreensOpenOnceAsMdiChildrenAndAnewAfterClosing) {
    // A desktop with room for the screen as designed.
    window.showNormal();
    window.resize(1024, 720);
    QCoreApplication::processEvents();
    Choose("mniORE00800");
    Choose("mniORE00800");
    ASSERT_EQ(Children().size(), 1);
    QPointer<QWidget> screen = Children().front()->widget();
    ASSERT_TRUE(screen);
    EXPECT_EQ(screen->objectName(), QStringLiteral("frmFechaOrca"));
    EXPECT_EQ(Children().front()->windowTitle(), QStringLiteral("Fechamento do Orçamento"));
    EXPECT_EQ(screen->size(), QSize(780, 540)); // not shrunk by its frame

    Children().front()->close();
    EXPECT_TRUE(QTest::qWaitFor([&] { return screen.isNull() && Children().isEmpty(); }, 5000));
    Choose("mniORE00800");
    ASSERT_EQ(Children().size(), 1);
    EXPECT_EQ(Children().front()->widget()->objectName(), QStringLiteral("frmFechaOrca"));
    EXPECT_TRUE(dialogs.Shown().empty());
}

TEST_F(MainWindow, AbrirTelaOpensTheCodeTyped) {
    QTimer::singleShot(0, [] {
        QWidget* ask = QApplication::activeModalWidget();
        ASSERT_NE(ask, nullptr);
        EXPECT_EQ(ask->objectName(), QStringLiteral("dlgAbrirTela"));
        auto* edit = ask->findChild<QLineEdit*>();
        QTest::keyClicks(edit, QStringLiteral("ore00800"));
        QTest::keyClick(edit, Qt::Key_Return);
    });
    Choose("mniAbrirTela");
    ASSERT_EQ(Children().size(), 1);
    EXPECT_EQ(Children().front()->widget()->objectName(), QStringLiteral("frmFechaOrca"));
}

TEST_F(MainWindow, TheScreenOpenedInTheHostStartsOnItsBranchWithItsRights) {
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    Choose("mniORE00800");
    ASSERT_EQ(Children().size(), 1);
    QWidget* screen = Children().front()->widget();
    auto* code = screen->findChild<QLineEdit*>(QStringLiteral("medCdFilial"));
    ASSERT_TRUE(code);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !server.Calls().empty(); }, 5000));
    EXPECT_EQ(server.Methods(), QStringList{QStringLiteral("GetOperControle")});
    EXPECT_EQ(code->text(), QStringLiteral("0001"));
    EXPECT_EQ(QApplication::focusWidget(), code);
    EXPECT_TRUE(dialogs.Shown().empty());
}

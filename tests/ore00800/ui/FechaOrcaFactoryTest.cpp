// How the module opens its main screen: once, reused, maximised only on a
// 640×480 desktop, and what loading and unloading the module resets.

#include "ore/ore00800/Cli_ore00800.h"
#include "ore/ore00800/Pkg_ore00800.h"
#include "ore/ore00800/model/FiltroModuleState.h"
#include "tests/ore00800/support/ScreenTestUtil.h"

#include <QApplication>
#include <QPointer>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class FechaOrcaFactory : public ScreenTest {
protected:
    void SetUp() override {
        ScreenTest::SetUp();
        Initialize();
    }
    void TearDown() override {
        Finalize();
        ScreenTest::TearDown();
    }

    static int OpenScreens() {
        int n = 0;
        for (QWidget* w : QApplication::topLevelWidgets())
            n += w->objectName() == u"frmFechaOrca" && w->isVisible();
        return n;
    }
};

} // namespace

TEST_F(FechaOrcaFactory, IniProcCreatesTheScreenOnceAndAnewAfterItClosed) {
    IniProc();
    QPointer<TfrmFechaOrca> first = frmFechaOrca;
    ASSERT_TRUE(first);
    EXPECT_TRUE(boStCriado);
    EXPECT_EQ(first->windowTitle(), QStringLiteral("Fechamento do Orçamento"));
    EXPECT_EQ(first->parent(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    IniProc();
    EXPECT_EQ(frmFechaOrca, first.data());
    EXPECT_EQ(OpenScreens(), 1);

    first->close();
    EXPECT_FALSE(boStCriado);
    EXPECT_TRUE(QTest::qWaitFor([&] { return first.isNull(); }, 5000));
    IniProc();
    ASSERT_TRUE(frmFechaOrca);
    EXPECT_EQ(OpenScreens(), 1);
}

TEST_F(FechaOrcaFactory, MaximisedOnlyOnA640By480Desktop) {
    CriaFechaOrca(QSize(640, 480));
    EXPECT_TRUE(frmFechaOrca->isMaximized());
    // The rule applies on every call, to the screen already open too.
    CriaFechaOrca(QSize(800, 600));
    EXPECT_FALSE(frmFechaOrca->isMaximized());
    CriaFechaOrca(QSize(640, 480));
    EXPECT_TRUE(frmFechaOrca->isMaximized());
    CriaFechaOrca(QSize(640, 400));
    EXPECT_FALSE(frmFechaOrca->isMaximized());
    EXPECT_TRUE(frmFechaOrca->isVisible());
    EXPECT_FALSE(frmFechaOrca->isModal());
}

TEST_F(FechaOrcaFactory, LoadingResetsTheUnitsAndUnloadingReleasesTheScreen) {
    IniProc();
    QPointer<TfrmFechaOrca> screen = frmFechaOrca;
    boPesqLista = true;
    stVendedor = QStringLiteral("0005");
    Finalize();
    EXPECT_TRUE(screen.isNull());
    EXPECT_EQ(frmFechaOrca, nullptr);
    EXPECT_TRUE(stVendedor.isEmpty());

    boStCriado = true;
    boIdCriado = true;
    boPesqLista = true;
    stCliente = QStringLiteral("J1");
    Initialize();
    EXPECT_FALSE(boStCriado);
    EXPECT_FALSE(boIdCriado);
    EXPECT_FALSE(boPesqLista);
    EXPECT_TRUE(stCliente.isEmpty());
}

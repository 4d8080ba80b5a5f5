#pragma once

#include "host/MainWindow.h"
#include "host/ModuleLoader.h"
#include "tests/ore00800/support/ScreenTestUtil.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>

#include <gtest/gtest.h>

// The host with the product's modules, on the demo database, against the
// fakes of the server and of the message boxes.
class HostWindowTest : public ScreenTest {
protected:
    TModuleLoader loader{{QStringLiteral(ORE_MODULE_DIR)}};
    TfrmPrincipal window{loader};

    void SetUp() override {
        ScreenTest::SetUp();
        window.show();
    }
    void TearDown() override {
        window.mdiPrincipal->closeAllSubWindows();
        loader.UnloadAll();
        ScreenTest::TearDown();
    }

    void Choose(const char* item) {
        QAction* action = window.findChild<QAction*>(QString::fromLatin1(item));
        ASSERT_NE(action, nullptr) << item;
        action->trigger();
    }
    QList<QMdiSubWindow*> Children() const { return window.mdiPrincipal->subWindowList(); }
};

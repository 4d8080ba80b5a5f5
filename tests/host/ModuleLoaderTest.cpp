// The loader on real modules: the built ORE00800 module and two test modules.

#include "host/ModuleLoader.h"
#include "core/data/Exceptions.h"
#include "tests/ore00800/support/ScreenTestUtil.h"

#include <QApplication>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>

namespace {

QString Failure(const std::function<void()>& fn) {
    try {
        fn();
    } catch (const Exception& e) {
        return e.Message();
    }
    return QStringLiteral("(no failure)");
}

QStringList TakeEvents() {
    const QStringList events = qApp->property("moduleEvents").toStringList();
    qApp->setProperty("moduleEvents", QVariant());
    return events;
}

int VisibleScreens(const QString& name) {
    int n = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        n += w->objectName() == name && w->isVisible();
    return n;
}

const QStringList kModuleDirs = {QStringLiteral(ORE_MODULE_DIR),
                                 QStringLiteral(ORE_TEST_MODULE_DIR)};

} // namespace

class ModuleLoaderScreens : public ScreenTest {};

TEST_F(ModuleLoaderScreens, OpenTheBuiltModuleOnceAndReleaseItsScreenWhenUnloading) {
    TModuleLoader loader(kModuleDirs);
    loader.OpenScreen(QStringLiteral("ore00800"));
    loader.OpenScreen(QStringLiteral("ORE00800"));
    EXPECT_EQ(loader.LoadedCodes(), QStringList{QStringLiteral("ORE00800")});
    EXPECT_EQ(VisibleScreens(QStringLiteral("frmFechaOrca")), 1);

    loader.UnloadAll();
    EXPECT_TRUE(loader.LoadedCodes().isEmpty());
    EXPECT_EQ(VisibleScreens(QStringLiteral("frmFechaOrca")), 0);
}

TEST(ModuleLoader, MissingModulesAndEntryPointsAreMessages) {
    TModuleLoader loader(kModuleDirs);
    EXPECT_EQ(Failure([&] { loader.OpenScreen(QStringLiteral("ORE06400")); }),
              QStringLiteral("Módulo da tela ORE06400 não encontrado: libPkg_ore06400.so"));
    EXPECT_EQ(Failure([&] { loader.OpenScreen(QStringLiteral("TST00001")); }),
              QStringLiteral("Módulo da tela TST00001 sem o ponto de entrada IniProc: "
                             "libPkg_tst00001.so"));
    EXPECT_EQ(Failure([&] { loader.Load(QStringLiteral("ORE00800"), {}); }),
              QStringLiteral("Módulo da tela ORE00800 sem o ponto de entrada LoadScreen: "
                             "libPkg_ore00800.so"));
    // A code never reaches the file system unless it is letters and digits.
    EXPECT_EQ(Failure([&] { loader.OpenScreen(QStringLiteral("../lib/ore00800")); }),
              QStringLiteral("Código de tela inválido: \"../lib/ore00800\"."));
    loader.UnloadAll();
    TakeEvents();
}

TEST(ModuleLoader, LoadBplInitialisesOnceAndFinalisesNewestFirst) {
    TakeEvents();
    {
        TModuleLoader loader({QStringLiteral("/nonexistent"), QStringLiteral(ORE_TEST_MODULE_DIR)});
        TScreenLoader::Install(&loader);
        LoadBPL(QStringLiteral("TST00001"), {QStringLiteral("0001"), 42});
        LoadBPL(QStringLiteral("tst00001"), {});
        LoadBPL(QStringLiteral("TST00002"), {QStringLiteral("x")});
        TScreenLoader::Install(nullptr);
    }
    EXPECT_EQ(TakeEvents(), (QStringList{
                                QStringLiteral("Initialize TST00001"),
                                QStringLiteral("LoadScreen(TST00001: 0001,42) TST00001"),
                                QStringLiteral("LoadScreen(TST00001: ) TST00001"),
                                QStringLiteral("Initialize TST00002"),
                                QStringLiteral("LoadScreen(TST00002: x) TST00002"),
                                QStringLiteral("Finalize TST00002"),
                                QStringLiteral("Finalize TST00001"),
                            }));
    EXPECT_EQ(Failure([] { LoadBPL(QStringLiteral("TST00001"), {}); }),
              QStringLiteral("Não há carregador de telas: a tela TST00001 não pode ser aberta."));
}

// The loader on real modules: the built ORE00800 module, and the test
// modules, sound and broken.

#include "host/ModuleLoader.h"
#include "core/data/Exceptions.h"
#include "tests/ore00800/support/ScreenTestUtil.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QWidget>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <optional>

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
    EXPECT_EQ(Failure([&] { loader.OpenScreen(QStringLiteral("ORE99999")); }),
              QStringLiteral("Módulo da tela ORE99999 não encontrado: libPkg_ore99999.so"));
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

// The broken modules the tests build: what the operator is told, on the
// first request and again, by the menu and by LoadBPL alike, without the
// library being loaded again; and that nothing of them is finalised.
TEST(ModuleLoader, ABrokenModuleFailsOnceAndIsReportedAgain) {
    using testing::AllOf;
    using testing::HasSubstr;
    using testing::StartsWith;
    struct TCase {
        const char* code;
        testing::Matcher<std::string> message;
        QStringList events; // what ran of the module, the unloading included
    };
    const TCase cases[] = {
        {"TST00003",
         "Módulo da tela TST00003 sem o ponto de entrada Initialize: libPkg_tst00003.so",
         {"Load TST00003"}},
        {"TST00004",
         "Módulo da tela TST00004 sem o ponto de entrada Finalize: libPkg_tst00004.so",
         {"Load TST00004"}},
        {"TST00005",
         "Módulo da tela TST00005 não pôde ser inicializado: Tabela PARAMETRO não encontrada.",
         {"Load TST00005", "Initialize TST00005"}},
        {"TST00006",
         "Módulo da tela TST00006 não pôde ser inicializado: out of handles",
         {"Load TST00006", "Initialize TST00006"}},
        {"TST00008", StartsWith("Módulo da tela TST00008 não pôde ser carregado: "), {}},
        // Refused when loaded, before any of its code runs.
        {"TST00007",
         AllOf(StartsWith("Módulo da tela TST00007 não pôde ser carregado: "),
               HasSubstr("OreTestUndefinedSymbol")),
         {}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.code);
        TakeEvents();
        TModuleLoader loader(kModuleDirs);
        const QString code = QString::fromLatin1(c.code);
        const QString first = Failure([&] { loader.OpenScreen(code); });
        EXPECT_THAT(first.toStdString(), c.message);
        EXPECT_EQ(Failure([&] { loader.Load(code, {}); }), first);
        EXPECT_EQ(Failure([&] { loader.OpenScreen(code.toLower()); }), first);
        const std::optional<TModuleStatus> status = loader.Status(code);
        ASSERT_TRUE(status);
        EXPECT_EQ(status->state, TModuleState::Failed);
        EXPECT_EQ(status->error, first);
        EXPECT_TRUE(loader.LoadedCodes().isEmpty());
        loader.UnloadAll();
        EXPECT_EQ(TakeEvents(), c.events);
    }
}

TEST(ModuleLoader, StatesFollowWhatTheHostAskedOfTheModule) {
    TakeEvents();
    QTemporaryDir installed;
    ASSERT_TRUE(installed.isValid());
    TModuleLoader loader({installed.path()});
    const QString code = QStringLiteral("TST00001");
    EXPECT_EQ(Failure([&] { loader.OpenScreen(code); }),
              QStringLiteral("Módulo da tela TST00001 não encontrado: libPkg_tst00001.so"));
    EXPECT_FALSE(loader.Status(code));

    // Not found is not remembered: a module installed meanwhile is used.
    ASSERT_TRUE(QFile::copy(QStringLiteral(ORE_TEST_MODULE_DIR "/libPkg_tst00001.so"),
                            installed.filePath(QStringLiteral("libPkg_tst00001.so"))));
    // Without IniProc it is initialised but opens nothing from the menu.
    EXPECT_THAT(Failure([&] { loader.OpenScreen(code); }).toStdString(),
                testing::HasSubstr("sem o ponto de entrada IniProc"));
    ASSERT_TRUE(loader.Status(code));
    EXPECT_EQ(loader.Status(code)->state, TModuleState::Initialised);
    EXPECT_EQ(loader.Status(code)->path, installed.filePath(QStringLiteral("libPkg_tst00001.so")));
    loader.Load(code, {});
    EXPECT_EQ(loader.Status(code)->state, TModuleState::Running);

    EXPECT_TRUE(loader.UnloadAll().isEmpty());
    EXPECT_FALSE(loader.Status(code));
    EXPECT_EQ(TakeEvents(), (QStringList{"Initialize TST00001", "LoadScreen(TST00001: ) TST00001",
                                         "Finalize TST00001"}));
}

TEST(ModuleLoader, AFinalizeThatThrowsDoesNotStopTheOthers) {
    TakeEvents();
    TModuleLoader loader({QStringLiteral(ORE_TEST_MODULE_DIR)});
    for (const char* code : {"TST00001", "TST00009", "TST00002"})
        loader.Load(QString::fromLatin1(code), {});
    EXPECT_EQ(loader.UnloadAll(),
              QStringList{"Módulo da tela TST00009 não pôde ser finalizado: Janela ainda aberta."});
    EXPECT_TRUE(loader.LoadedCodes().isEmpty());
    EXPECT_EQ(TakeEvents().filter(QStringLiteral("Finalize")),
              (QStringList{"Finalize TST00002", "Finalize TST00009", "Finalize TST00001"}));
}

// Opening another screen by code, and the session the host starts.

#include "core/data/Exceptions.h"
#include "framework/services/Dispatch.h"
#include "framework/services/ScreenLoader.h"
#include "framework/services/Session.h"
#include "tests/support/FakeDialogs.h"
#include "tests/support/FakeScreenLoader.h"

#include <gtest/gtest.h>

TEST(LoadBPL, WithoutALoaderTheOperatorIsToldWhichScreenCannotOpen) {
    TFakeDialogs dialogs;
    EXPECT_FALSE(Dispatch([] { LoadBPL(QStringLiteral("ORE09000"), {QStringLiteral("0001")}); }));
    EXPECT_EQ(dialogs.Texts(TFakeDialogs::TKind::Error),
              QStringList{"Não há carregador de telas: a tela ORE09000 não pode ser aberta."});
}

TEST(LoadBPL, OpensThroughTheLoaderAndReturnsWhenTheScreenCloses) {
    TFakeScreenLoader loader;
    QStringList order;
    loader.OnOpen = [&](const QString& code, const QVariantList&) { order << code + " aberta"; };
    LoadBPL(QStringLiteral("ORE06400"), {QStringLiteral("0001"), QStringLiteral("0000001001"), 0});
    order << QStringLiteral("de volta");
    ASSERT_EQ(loader.Loads().size(), 1u);
    EXPECT_EQ(loader.Loads()[0].code, QStringLiteral("ORE06400"));
    EXPECT_EQ(loader.Loads()[0].params,
              (QVariantList{QStringLiteral("0001"), QStringLiteral("0000001001"), 0}));
    EXPECT_EQ(order, (QStringList{"ORE06400 aberta", "de volta"}));

    // What fails in the opened screen reaches the caller.
    loader.OnOpen = [](const QString&, const QVariantList&) { throw EAbort(); };
    EXPECT_THROW(LoadBPL(QStringLiteral("ORE00105")), EAbort);
}

TEST(Session, StartsWithTheHostValuesAndDefaultsToTheLocalServer) {
    StartSession(TSessionInfo{});
    EXPECT_EQ(WebURL(), QStringLiteral("127.0.0.1"));
    EXPECT_EQ(WebPort(), 8211);
    EXPECT_FALSE(ModuFili());

    TSessionInfo info;
    info.filiProc = QStringLiteral("0001");
    info.nomeFiliProc = QStringLiteral("Matriz São Paulo");
    info.moduFili = true;
    info.operador = QStringLiteral("MARIA");
    info.webUrl = QStringLiteral("10.0.0.5");
    info.webPort = 9000;
    info.screenCode = QStringLiteral("ORE00800");
    StartSession(info);
    EXPECT_EQ(FiliProc(), QStringLiteral("0001"));
    EXPECT_EQ(NomeFiliProc(), QStringLiteral("Matriz São Paulo"));
    EXPECT_TRUE(ModuFili());
    EXPECT_EQ(Operador(), QStringLiteral("MARIA"));
    EXPECT_EQ(WebURL(), QStringLiteral("10.0.0.5"));
    EXPECT_EQ(WebPort(), 9000);
    EXPECT_EQ(Session().screenCode, QStringLiteral("ORE00800"));
    StartSession(TSessionInfo{});
}

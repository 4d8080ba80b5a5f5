// How handlers end: silently on EAbort, with the error's own text otherwise.

#include "framework/services/Dispatch.h"
#include "core/data/Exceptions.h"
#include "tests/support/FakeDialogs.h"

#include <QTest>

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

TEST(Dispatch, AbortIsSilentAndOtherFailuresShowTheirText) {
    TFakeDialogs dialogs;
    EXPECT_TRUE(Dispatch([] {}));
    EXPECT_FALSE(Dispatch([] { throw EAbort(); }));
    EXPECT_TRUE(dialogs.Shown().empty());

    EXPECT_FALSE(Dispatch([] { throw EDatabaseError(QStringLiteral("Campo obrigatório.")); }));
    EXPECT_FALSE(Dispatch([] { throw std::runtime_error("falhou"); }));
    EXPECT_EQ(dialogs.Texts(TFakeDialogs::TKind::Error),
              (QStringList{QStringLiteral("Campo obrigatório."), QStringLiteral("falhou")}));
}

TEST(Dispatch, MensErroShowsOnceAndAbortsOnlyWhenAsked) {
    TFakeDialogs dialogs;
    bool after = false;
    EXPECT_FALSE(Dispatch([&] {
        MensErro(QStringLiteral("Filial inválida."), true);
        after = true;
    }));
    EXPECT_FALSE(after);
    EXPECT_NO_THROW(MensErro(QStringLiteral("Aviso."), false));
    EXPECT_EQ(dialogs.Texts(),
              (QStringList{QStringLiteral("Filial inválida."), QStringLiteral("Aviso.")}));
}

TEST(Dispatch, DeferredWorkRunsAsAHandler) {
    TFakeDialogs dialogs;
    EXPECT_FALSE(HandlerRunning());
    // Deferred from inside a handler: after it, still counting as one.
    std::vector<bool> running;
    Dispatch([&] { AfterHandlers([&] { running.push_back(HandlerRunning()); }); });
    // Deferred from outside any: from the event loop, its failure shown.
    AfterHandlers([&] {
        running.push_back(HandlerRunning());
        throw std::runtime_error("adiado");
    });
    EXPECT_TRUE(QTest::qWaitFor([&] { return running.size() == 2; }, 5000));
    EXPECT_EQ(running, (std::vector<bool>{true, true}));
    EXPECT_EQ(dialogs.Texts(), QStringList{QStringLiteral("adiado")});
    EXPECT_FALSE(HandlerRunning());
}

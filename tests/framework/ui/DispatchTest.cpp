// How handlers end: silently on EAbort, with the error's own text otherwise.

#include "Dispatch.h"
#include "Exceptions.h"
#include "FakeDialogs.h"

#include <gtest/gtest.h>

#include <stdexcept>

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

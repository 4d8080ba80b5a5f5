// Judging a server's reply: the payload of a success, the server's own text
// for a failure, raised or shown.

#include "framework/services/Dispatch.h"
#include "framework/services/ServerResult.h"
#include "tests/support/FakeDialogs.h"

#include <gtest/gtest.h>

namespace {
const QString kRefusal = QStringLiteral("O orçamento 0001/0000001001-00 já está fechado.");
}

TEST(CheckResultServ, SuccessGivesThePayloadAndShowsNothing) {
    TFakeDialogs dialogs;
    EXPECT_EQ(CheckResultServ(TServerReply::Success(QVariantList{"", 2}), true, 0),
              QVariant(QVariantList{"", 2}));
    EXPECT_EQ(CheckResultServ(TServerReply::Success(QStringLiteral("S")), false, 0),
              QVariant(QStringLiteral("S")));
    EXPECT_TRUE(dialogs.Shown().empty());
}

TEST(CheckResultServ, FailureWithAbortRaisesTheServerTextForTheHostToShow) {
    TFakeDialogs dialogs;
    bool after = false;
    EXPECT_FALSE(Dispatch([&] {
        CheckResultServ(TServerReply::Failure(kRefusal), true, 0);
        after = true;
    }));
    EXPECT_FALSE(after);
    EXPECT_EQ(dialogs.Texts(TFakeDialogs::TKind::Error), QStringList{kRefusal});

    // A caller may catch it first, to translate a catalogue key.
    try {
        CheckResultServ(TServerReply::Failure(QStringLiteral("N_PARAM_PED|0002")), true, 0);
        ADD_FAILURE() << "no error raised";
    } catch (const EServerError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("N_PARAM_PED|0002"));
    }
    EXPECT_EQ(dialogs.Shown().size(), 1u);
}

TEST(CheckResultServ, FailureWithoutAbortShowsTheTextAndGoesOn) {
    TFakeDialogs dialogs;
    QVariant result = QStringLiteral("not touched");
    EXPECT_TRUE(
        Dispatch([&] { result = CheckResultServ(TServerReply::Failure(kRefusal), false); }));
    EXPECT_TRUE(result.isNull());
    EXPECT_EQ(dialogs.Texts(TFakeDialogs::TKind::Error), QStringList{kRefusal});
}

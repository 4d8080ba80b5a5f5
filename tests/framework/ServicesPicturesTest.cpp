// Pictures of coded fields, read from the business database once per session.

#include "tests/framework/ServicesDbTestUtil.h"

#include "core/db/DbError.h"
#include "framework/services/Pictures.h"
#include "framework/services/Session.h"

#include <gmock/gmock.h>

using ::testing::HasSubstr;

namespace {

std::string PictError(int kind) {
    try {
        DBPict(kind);
    } catch (const EDbError& e) {
        return e.Message().toStdString();
    }
    return "no error";
}

} // namespace

using Pictures = ServicesDbTest;

TEST_F(Pictures, ProductCodeHasItsMaskSeparatorAndLevelsInOrder) {
    EXPECT_EQ(DBPict(0), QStringLiteral("0.00.000;0;_"));
    const TPicture& p = DBPictObj(0);
    EXPECT_EQ(p.separator, QStringLiteral("."));
    EXPECT_EQ(p.GetTtNiveis(), 3);
    EXPECT_EQ(p.digits, (std::vector<int>{1, 2, 3}));
}

TEST_F(Pictures, ReadOncePerSessionAndAgainInANewOne) {
    EXPECT_EQ(DBPictObj(0).GetTtNiveis(), 3);
    Exec(QStringLiteral("INSERT INTO PICTURENIVEL VALUES (0, 4, 2)"));
    Exec(QStringLiteral("UPDATE PICTURE SET DSMASCARA = '0.00.000.00;0;_'"));
    EXPECT_EQ(DBPictObj(0).GetTtNiveis(), 3);
    EXPECT_EQ(DBPict(0), QStringLiteral("0.00.000;0;_"));

    StartSession(TSessionInfo{});
    EXPECT_EQ(DBPictObj(0).GetTtNiveis(), 4);
    EXPECT_EQ(DBPict(0), QStringLiteral("0.00.000.00;0;_"));
}

TEST_F(Pictures, UnknownKindOrNoDatabaseIsAClearError) {
    EXPECT_THAT(PictError(7), HasSubstr("Máscara do tipo 7 não cadastrada"));
    Exec(QStringLiteral("INSERT INTO PICTURE VALUES (7, 'Conta', '0.0;0;_', NULL)"));
    EXPECT_EQ(DBPict(7), QStringLiteral("0.0;0;_")); // a refusal is not remembered
    EXPECT_EQ(DBPictObj(7).GetTtNiveis(), 0);

    SetSharedDatabase(nullptr);
    ResetPictureCache();
    EXPECT_THAT(PictError(0), HasSubstr("Não há conexão com o banco de dados"));
}

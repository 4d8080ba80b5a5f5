// The client's list strings against the server's own reading and writing.

#include "framework/services/ListString.h"
#include "core/data/Exceptions.h"
#include "modules/ListString.h"

#include <gtest/gtest.h>

TEST(ListString, RoundTripsWithTheServersParser) {
    const std::vector<QStringList> lists = {
        {}, {"0005"}, {"0005", "0007"}, {"A_B", "C\\"}, {"_", "\\", "\\_", "__", "ção é"},
    };
    for (const QStringList& codes : lists) {
        const QString text = ListString::Encode(codes);
        EXPECT_EQ(ParseListString(text, QStringLiteral("códigos")), codes) << text.toStdString();
        EXPECT_EQ(text, FormatListString(codes));
        EXPECT_EQ(ListString::Decode(text), codes);
    }
    EXPECT_EQ(ListString::Encode({"A_B", "C\\"}), QStringLiteral("A\\_B_C\\\\"));
}

TEST(ListString, RefusesWhatTheServerRefuses) {
    for (const char* bad : {"_0005", "0005__0007", "0005_", "A\\B", "A\\"}) {
        EXPECT_THROW(ListString::Decode(QString::fromUtf8(bad)), Exception) << bad;
        EXPECT_THROW(ParseListString(QString::fromUtf8(bad), QStringLiteral("códigos")), Exception)
            << bad;
    }
    EXPECT_THROW(ListString::Encode({"0005", ""}), Exception);
}

// The text form of picked-code lists: the client's writing and reading, and
// the server's reading with its refusals.

#include "core/wire/ListString.h"
#include "core/data/Exceptions.h"
#include "rpc/CallContext.h"
#include "rpc/ListStringArg.h"

#include <gtest/gtest.h>

namespace {

QStringList Parse(const QString& text) {
    return ParseListString(text, QStringLiteral("vendedores"));
}

TEST(ListString, SplitsAndUnescapesCodes) {
    EXPECT_TRUE(Parse("").isEmpty());
    EXPECT_EQ(Parse("0005"), QStringList{"0005"});
    EXPECT_EQ(Parse("0005_0007"), (QStringList{"0005", "0007"}));
    // A code holding the separator or the escape itself.
    EXPECT_EQ(Parse(R"(A\_B_C\\D_\\\_)"), (QStringList{"A_B", R"(C\D)", R"(\_)"}));
    // Blanks and quotes are part of a code: the list carries them untouched.
    EXPECT_EQ(Parse("' OR 1=1; --_ 12 "), (QStringList{"' OR 1=1; --", " 12 "}));
}

TEST(ListString, FormattingAndParsingAreInverse) {
    const QStringList lists[] = {
        {"0005"}, {"A_B", "C"}, {R"(\)", "_", R"(\_)", "__"}, {"J45678912000134", "F39053344705"}};
    for (const QStringList& codes : lists)
        EXPECT_EQ(Parse(ListString::Encode(codes)), codes)
            << ListString::Encode(codes).toStdString();
    EXPECT_EQ(ListString::Encode({"A_B", R"(C\)"}), R"(A\_B_C\\)");
}

TEST(ListString, RefusesMalformedTextsWithASentence) {
    const struct {
        const char* text;
        const char* message;
    } cases[] = {
        {R"(00\05)", "A lista de vendedores recebida pelo servidor é inválida: a barra invertida "
                     "na posição 3 não é seguida de \"_\" nem de outra barra invertida."},
        {R"(0005\)", "A lista de vendedores recebida pelo servidor é inválida: o texto termina "
                     "com uma barra invertida."},
        {"0005__0007", "A lista de vendedores recebida pelo servidor é inválida: há um código "
                       "vazio na posição 6."},
        {"_0005", "A lista de vendedores recebida pelo servidor é inválida: há um código vazio "
                  "na posição 1."},
        {"0005_", "A lista de vendedores recebida pelo servidor é inválida: há um código vazio "
                  "na posição 6."},
    };
    for (const auto& c : cases) {
        try {
            Parse(QString::fromUtf8(c.text));
            ADD_FAILURE() << "accepted " << c.text;
        } catch (const ERemoteError& e) {
            EXPECT_EQ(e.Message().toStdString(), c.message) << c.text;
        }
    }
}

TEST(ListString, RoundTripsWithTheServersParser) {
    const std::vector<QStringList> lists = {
        {}, {"0005"}, {"0005", "0007"}, {"A_B", "C\\"}, {"_", "\\", "\\_", "__", "ção é"},
    };
    for (const QStringList& codes : lists) {
        const QString text = ListString::Encode(codes);
        EXPECT_EQ(ParseListString(text, QStringLiteral("códigos")), codes) << text.toStdString();
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

} // namespace

#include "core/wire/WireVariant.h"
#include "tests/core/RecordSetTestUtil.h"

#include <QDateTime>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr qint64 kMin = std::numeric_limits<qint64>::min();
constexpr qint64 kMax = std::numeric_limits<qint64>::max();

QVariant RoundTrip(const QVariant& v) {
    return Wire::DecodeVariant(Wire::EncodeVariant(v));
}

QVariant Date(double ole) {
    return QVariant::fromValue(TOleDateTime{ole});
}

// The decoder's message for `bytes`, or "accepted".
std::string Refusal(const QByteArray& bytes) {
    try {
        Wire::DecodeVariant(bytes);
        return "accepted";
    } catch (const EWireError& e) {
        return e.what();
    }
}

QByteArray Nested(int levels) {
    return QByteArray(levels, '\x81') + '\x01'; // [[[...1]]]
}

// One value of every kind, nested, with a real packet inside.
QVariantList EveryKind() {
    const QVariant packet =
        QVariant::fromValue(ServerPacket(ItemDefs(), {{"0000000001", "00", "Café", 12.5, 45292.5,
                                                       QByteArray("a\0b", 3), "m", 7, true}}));
    return {QVariant(),
            true,
            qint64(-42),
            1.5,
            QStringLiteral("Orçamento ") + QChar(0) + QStringLiteral(" \U0001F600"),
            QString(),
            Date(45292.75),
            QVariantList{QStringLiteral("a"), QVariantList{kMin, kMax, QVariant(), Date(0)}},
            packet,
            QVariantList{packet, QVariant::fromValue(TDataPacket())}};
}

TEST(WireVariant, EveryKindRoundTripsExactlyWithItsOwnType) {
    const QVariantList values = EveryKind();
    EXPECT_EQ(RoundTrip(values).toList(), values);
    for (const QVariant& v : values)
        EXPECT_EQ(RoundTrip(v).metaType(), v.metaType()) << v.typeName();
    // A date never comes back as a double, nor null as an empty text.
    EXPECT_EQ(RoundTrip(45292.75).metaType(), QMetaType::fromType<double>());
    EXPECT_FALSE(RoundTrip(QVariant()).isValid());

    for (double d : {0.1 + 0.2, 1e300, std::numeric_limits<double>::denorm_min(), kInf, -kInf})
        EXPECT_EQ(RoundTrip(d).toDouble(), d);
    EXPECT_TRUE(std::signbit(RoundTrip(-0.0).toDouble()));
    EXPECT_TRUE(std::isnan(RoundTrip(std::nan("")).toDouble()));
    EXPECT_TRUE(std::isnan(RoundTrip(Date(std::nan(""))).value<TOleDateTime>().value));

    // The packet survives byte for byte and still loads into a record set.
    TRecordSet rs(ItemDefs());
    rs.SetData(RoundTrip(values[8]).value<TDataPacket>());
    EXPECT_EQ(rs.FieldByName("NMPRODUTO").AsString(), "Café");
}

TEST(WireVariant, WriterTakesCommonQtTypesAndRefusesTheRest) {
    EXPECT_EQ(RoundTrip(int(-3)), QVariant(qint64(-3)));
    EXPECT_EQ(RoundTrip(quint64(kMax)), QVariant(kMax));
    EXPECT_EQ(RoundTrip(1.5f), QVariant(1.5));
    EXPECT_EQ(RoundTrip(QVariant::fromValue(nullptr)), QVariant());
    EXPECT_EQ(RoundTrip(QStringList{"a", "b"}), QVariant(QVariantList{"a", "b"}));
    EXPECT_EQ(RoundTrip(QDateTime(QDate(2024, 1, 1), QTime(18, 0))), Date(45292.75));

    EXPECT_THROW(Wire::EncodeVariant(QByteArray("x")), EWireError); // blobs travel in packets
    EXPECT_THROW(Wire::EncodeVariant(QVariantMap{{"a", 1}}), EWireError);
    EXPECT_THROW(Wire::EncodeVariant(quint64(kMax) + 1), EWireError);
}

TEST(WireVariant, NestingIsBoundedBothWays) {
    QVariant deep = qint64(1);
    for (int i = 0; i < Wire::kMaxDepth; ++i)
        deep = QVariantList{deep};
    EXPECT_EQ(RoundTrip(deep), deep);
    EXPECT_THROW(Wire::EncodeVariant(QVariantList{deep}), EWireError);
    EXPECT_EQ(Refusal(Nested(Wire::kMaxDepth)), "accepted");
    EXPECT_EQ(Refusal(Nested(Wire::kMaxDepth + 1)),
              "Valor inválido: listas aninhadas em mais de 32 níveis.");
    // Far beyond the limit: refused without exhausting the stack.
    EXPECT_NE(Refusal(Nested(1'000'000)), "accepted");
    EXPECT_NE(Refusal(QByteArray(1'000'000, '\x9f')), "accepted"); // open-ended arrays
}

TEST(WireVariant, ReaderAcceptsOtherValidEncodingsOfTheSameKinds) {
    const auto decode = [](const char* hex) {
        return Wire::DecodeVariant(QByteArray::fromHex(hex));
    };
    EXPECT_EQ(decode("9f0102ff"), QVariant(QVariantList{qint64(1), qint64(2)})); // open-ended
    EXPECT_EQ(decode("7f61616162ff"), QVariant("ab"));                           // chunked text
    EXPECT_EQ(decode("f93e00"), QVariant(1.5));                                  // half float
    EXPECT_EQ(decode("da4f4c4544fa3fc00000"), Date(1.5)); // single-float date
    EXPECT_EQ(decode("d8185f4201024103ff"), QVariant::fromValue(TDataPacket("\1\2\3")));
    EXPECT_EQ(decode("3b7fffffffffffffff"), QVariant(kMin));
}

TEST(WireVariant, ReaderRefusesWhatIsNotOneCallValue) {
    const struct {
        const char* hex;
        const char* why;
    } cases[] = {
        {"", "dados truncados"},
        {"8301", "dados truncados"},
        {"a0", "mapa onde se esperava um valor"},
        {"4100", "cadeia de bytes fora de um pacote de dados"},
        {"f7", "valor indefinido"},
        {"f0", "valor simples 16 desconhecido"},
        {"c11a514b67b0", "etiqueta CBOR 1 desconhecida"},
        {"da4f4c454461", "data-hora sem número"},
        {"d8186161", "esperada cadeia de bytes em pacote de dados"},
        {"1bffffffffffffffff", "inteiro 18446744073709551615 fora do intervalo de 64 bits"},
        {"3b8000000000000000", "inteiro negativo fora do intervalo de 64 bits"},
        {"0101", "dados a mais depois do valor"},
        // Stated lengths beyond the input: refused without allocating them.
        {"d8185b0000010000000000616263", "dados truncados"},
        {"7b00000000000000ff616263", "dados truncados"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Refusal(QByteArray::fromHex(c.hex)),
                  std::string("Valor inválido: ") + c.why + ".")
            << c.hex;
    // Malformed CBOR: the reader's own diagnosis.
    for (const char* hex :
         {"62c328", "ff", "1c", "d8185f61ff", "7b7fffffffffffffff", "9bffffffffffffffff01"})
        EXPECT_NE(Refusal(QByteArray::fromHex(hex)).find("Valor inválido: CBOR malformado"),
                  std::string::npos)
            << hex;
}

TEST(WireVariant, TruncatedAndDamagedEncodingsAreRefusedCleanly) {
    const QByteArray whole = Wire::EncodeVariant(EveryKind());
    for (qsizetype n = 0; n < whole.size(); ++n)
        ASSERT_NE(Refusal(whole.left(n)), "accepted") << n;
    // Bytes overwritten, and plain noise: a value or EWireError, never a crash.
    std::mt19937 random(20240101);
    for (int i = 0; i < 3000; ++i) {
        QByteArray damaged = whole;
        for (int k = 0; k <= i % 4; ++k)
            damaged[random() % damaged.size()] = char(random());
        Refusal(damaged);
        QByteArray noise(1 + random() % 64, '\0');
        for (char& c : noise)
            c = char(random());
        Refusal(noise);
    }
}

} // namespace

#include "core/wire/RpcEnvelope.h"
#include "core/wire/WireVariant.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using TEntries = std::vector<std::pair<const char*, QVariant>>;

// An envelope written entry by entry, including ones our writer never produces.
QByteArray Map(const TEntries& entries) {
    QByteArray bytes;
    QCborStreamWriter w(&bytes);
    w.startMap(quint64(entries.size()));
    for (const auto& [key, value] : entries) {
        w.append(QLatin1StringView(key));
        Wire::WriteVariant(w, value);
    }
    w.endMap();
    return bytes;
}

template <typename Decode> std::string Refusal(Decode decode, const QByteArray& bytes) {
    try {
        decode(bytes);
        return "accepted";
    } catch (const EWireError& e) {
        return e.what();
    }
}

const auto kRequest = [](const QByteArray& b) { Wire::DecodeRequest(b); };
const auto kReply = [](const QByteArray& b) { Wire::DecodeReply(b); };

TEST(RpcEnvelope, RequestsAndRepliesRoundTrip) {
    const TCallRequest req{"ORE00800.rdmFechaOrca",
                           "FecharOrca",
                           {QVariant::fromValue(TDataPacket("\xa0")), QStringLiteral("OPER"),
                            QVariant(), QVariant::fromValue(TOleDateTime{45292.5})}};
    const TCallRequest back = Wire::DecodeRequest(Wire::EncodeRequest(req));
    EXPECT_EQ(back.server, req.server);
    EXPECT_EQ(back.method, req.method);
    EXPECT_EQ(back.args, req.args);

    const TServerReply ok = Wire::DecodeReply(Wire::EncodeReply(TServerReply::Success({})));
    EXPECT_TRUE(ok.ok); // a null payload is still a success
    EXPECT_FALSE(ok.payload.isValid());
    const TServerReply no = Wire::DecodeReply(Wire::EncodeReply(TServerReply::Failure("N_X|1")));
    EXPECT_FALSE(no.ok);
    EXPECT_EQ(no.message, "N_X|1");

    // Keys may come in any order.
    EXPECT_EQ(Wire::DecodeRequest(Map({{"args", QVariantList{}},
                                       {"method", "M"},
                                       {"version", 1},
                                       {"server", "S"},
                                       {"kind", "call"}}))
                  .method,
              "M");
}

TEST(RpcEnvelope, MalformedEnvelopesAreRefusedWithTheReason) {
    const TEntries head = {{"kind", "call"}, {"version", 1}};
    auto call = [&](const TEntries& rest) {
        TEntries e = head;
        e.insert(e.end(), rest.begin(), rest.end());
        return Map(e);
    };
    const TEntries full = {{"server", "S"}, {"method", "M"}, {"args", QVariantList{}}};
    const struct {
        QByteArray bytes;
        const char* why;
    } requests[] = {
        {Map({{"kind", "call"}, {"version", 2}}),
         "versão 2 do protocolo não suportada (esperada 1)"},
        {Wire::EncodeReply(TServerReply::Success(1)),
         "envelope do tipo \"reply\", esperado \"call\""},
        {call({{"server", "S"}, {"method", "M"}}), "faltam \"server\", \"method\" ou \"args\""},
        {call({{"server", "S"}, {"method", "M"}, {"args", 1}}), "\"args\" não é uma lista"},
        {call({{"server", "S"}, {"server", "T"}}), "chave \"server\" repetida"},
        {call({{"server", 1}}), "esperado texto em \"server\""},
        {Map({{"version", 1}}), "faltam \"kind\" ou \"version\""},
        {QByteArray::fromHex("83010203"), "esperado mapa em envelope"},
        {Wire::EncodeRequest({"S", "M", {}}) + '\0', "dados a mais depois do valor"},
    };
    for (const auto& c : requests)
        EXPECT_EQ(Refusal(kRequest, c.bytes), std::string("Requisição inválida: ") + c.why + ".");
    EXPECT_EQ(Refusal(kRequest, call(full) + call(full)),
              "Requisição inválida: dados a mais depois do valor.");
    EXPECT_EQ(Refusal(kRequest, Map({{"kind", "call"}, {"version", 1}, {"x", 1}})),
              "Requisição inválida: chave desconhecida \"x\".");

    // A reply is a success with a payload or a failure with a message, never a mix.
    const TEntries reply = {{"kind", "reply"}, {"version", 1}};
    auto withOk = [&](bool ok, const TEntries& rest) {
        TEntries e = reply;
        e.push_back({"ok", ok});
        e.insert(e.end(), rest.begin(), rest.end());
        return Map(e);
    };
    EXPECT_EQ(Refusal(kReply, withOk(true, {{"message", "x"}})),
              "Resposta inválida: sucesso deve trazer \"payload\" e não \"message\".");
    EXPECT_EQ(Refusal(kReply, withOk(false, {{"message", "x"}, {"payload", 1}})),
              "Resposta inválida: falha deve trazer \"message\" e não \"payload\".");
    EXPECT_EQ(Refusal(kReply, Map(reply)), "Resposta inválida: falta \"ok\".");
}

TEST(RpcEnvelope, EveryTruncationIsRefused) {
    for (const QByteArray& whole :
         {Wire::EncodeRequest({"S", "M", {QVariant::fromValue(TDataPacket(QByteArray(300, 'x')))}}),
          Wire::EncodeReply(TServerReply::Failure("não")),
          Wire::EncodeReply(TServerReply::Success(QVariantList{1.5, "x"}))}) {
        const bool isRequest = whole.contains("call");
        for (qsizetype n = 0; n < whole.size(); ++n)
            EXPECT_NE(isRequest ? Refusal(kRequest, whole.left(n)) : Refusal(kReply, whole.left(n)),
                      "accepted")
                << n;
    }
}

// A list's packets are neither copied into the answer's envelope nor out of
// it: the server sends them from their own buffers, the client reads them as
// slices of the answer.
TEST(RpcEnvelope, LargePacketsTravelWithoutCopies) {
    const auto packet = [](qsizetype size, char fill) {
        return QVariant::fromValue(TDataPacket(QByteArray(size, fill)));
    };
    const qsizetype large = Wire::kSharedBytesFrom;
    const QVariantList payload = {packet(large, 'a'), packet(large - 1, 'b'), "texto",
                                  QVariantList{packet(3 * large + 5, 'c')}};
    const TServerReply reply = TServerReply::Success(payload);
    const TWirePieces pieces = Wire::EncodeReplyPieces(reply);
    const auto isPiece = [&](const QVariant& v) {
        const char* data = v.value<TDataPacket>().Bytes().constData();
        return std::any_of(pieces.Pieces().begin(), pieces.Pieces().end(),
                           [&](const QByteArray& p) { return p.constData() == data; });
    };
    EXPECT_TRUE(isPiece(payload[0]));
    EXPECT_FALSE(isPiece(payload[1])); // small ones are copied with the envelope
    EXPECT_TRUE(isPiece(payload[3].toList()[0]));
    ASSERT_EQ(pieces.Joined(), Wire::EncodeReply(reply));

    QVariantList back;
    {
        QByteArray answer = pieces.Joined();
        const char* begin = answer.constData();
        back = Wire::DecodeReply(answer).payload.toList();
        const auto inAnswer = [&](const QVariant& v) {
            const char* data = v.value<TDataPacket>().Bytes().constData();
            return data >= begin && data < begin + answer.size();
        };
        EXPECT_TRUE(inAnswer(back[0]));
        EXPECT_FALSE(inAnswer(back[1]));
        EXPECT_TRUE(inAnswer(back[3].toList()[0]));
    } // the answer's buffer now lives in its slices only
    EXPECT_EQ(back, payload);

    // A length written in more bytes than it needs, and one beyond the end.
    static const char head[] = "\xa4\x64kind\x65reply\x67version\x01\x62ok\xf5\x67payload"
                               "\xd8\x18\x5b\0\0\0\0\0\x01\0\0";
    const QByteArray wide = QByteArray(head, sizeof head - 1) + QByteArray(65536, 'w');
    EXPECT_EQ(Wire::DecodeReply(wide).payload.value<TDataPacket>().Bytes(), QByteArray(65536, 'w'));
    EXPECT_EQ(Refusal(kReply, wide.chopped(1)), "Resposta inválida: dados truncados.");
}

} // namespace

#include "core/wire/RpcEnvelope.h"

#include "core/wire/WireVariant.h"

#include <optional>

namespace {

const QString kCall = QStringLiteral("call");
const QString kReply = QStringLiteral("reply");

void WriteHeader(QCborStreamWriter& w, const QString& kind) {
    w.append(QLatin1StringView("kind"));
    w.append(kind);
    w.append(QLatin1StringView("version"));
    w.append(Wire::kProtocolVersion);
}

// Reads the map's entries into `onKey`, after checking the kind and version
// that open every envelope. Keys may come in any order, each at most once.
template <typename OnKey> void ReadEnvelope(TWireReader& r, const QString& kind, OnKey onKey) {
    r.EnterMap(QStringLiteral("envelope"));
    std::optional<QString> seenKind;
    std::optional<qint64> version;
    QStringList seen;
    while (r.HasNext()) {
        const QString key = r.Text(QStringLiteral("chave do envelope"));
        if (seen.contains(key))
            r.Fail(QStringLiteral("chave \"%1\" repetida").arg(key));
        seen.append(key);
        if (key == u"kind") {
            seenKind = r.Text(QStringLiteral("\"kind\""));
            if (*seenKind != kind)
                r.Fail(QStringLiteral("envelope do tipo \"%1\", esperado \"%2\"")
                           .arg(*seenKind, kind));
        } else if (key == u"version") {
            version = r.Integer(QStringLiteral("\"version\""));
            if (*version != Wire::kProtocolVersion)
                r.Fail(QStringLiteral("versão %1 do protocolo não suportada (esperada %2)")
                           .arg(*version)
                           .arg(Wire::kProtocolVersion));
        } else if (!onKey(key)) {
            r.Fail(QStringLiteral("chave desconhecida \"%1\"").arg(key));
        }
    }
    r.Leave();
    if (!seenKind || !version)
        r.Fail(QStringLiteral("faltam \"kind\" ou \"version\""));
    r.ExpectEnd();
}

void WriteReply(QCborStreamWriter& w, const TServerReply& reply) {
    w.startMap(4);
    WriteHeader(w, kReply);
    w.append(QLatin1StringView("ok"));
    w.append(reply.ok);
    if (reply.ok) {
        w.append(QLatin1StringView("payload"));
        Wire::WriteVariant(w, reply.payload);
    } else {
        w.append(QLatin1StringView("message"));
        w.append(reply.message);
    }
    w.endMap();
}

// The buffers of the large packets in `v`, which an encoding in pieces keeps
// by reference.
void LargePackets(const QVariant& v, std::vector<QByteArray>& found, int depth = 0) {
    if (v.metaType() == QMetaType::fromType<TDataPacket>()) {
        const TDataPacket packet = v.value<TDataPacket>(); // shares the bytes
        if (packet.Size() >= Wire::kSharedBytesFrom)
            found.push_back(packet.Bytes());
    } else if (v.metaType() == QMetaType::fromType<QVariantList>() && depth < Wire::kMaxDepth) {
        for (const QVariant& item : v.toList())
            LargePackets(item, found, depth + 1);
    }
}

} // namespace

namespace Wire {

QByteArray EncodeRequest(const TCallRequest& request) {
    QByteArray bytes;
    QCborStreamWriter w(&bytes);
    w.startMap(5);
    WriteHeader(w, kCall);
    w.append(QLatin1StringView("server"));
    w.append(request.server);
    w.append(QLatin1StringView("method"));
    w.append(request.method);
    w.append(QLatin1StringView("args"));
    // The argument list is itself one level of nesting.
    WriteVariant(w, request.args);
    w.endMap();
    return bytes;
}

TCallRequest DecodeRequest(const QByteArray& bytes) {
    TWireReader r(bytes, QStringLiteral("Requisição inválida"));
    TCallRequest req;
    bool server = false, method = false, args = false;
    ReadEnvelope(r, kCall, [&](const QString& key) {
        if (key == u"server") {
            req.server = r.Text(QStringLiteral("\"server\""));
            server = true;
        } else if (key == u"method") {
            req.method = r.Text(QStringLiteral("\"method\""));
            method = true;
        } else if (key == u"args") {
            if (!r.Raw().isArray())
                r.Fail(QStringLiteral("\"args\" não é uma lista"));
            req.args = r.Variant().toList();
            args = true;
        } else {
            return false;
        }
        return true;
    });
    if (!server || !method || !args)
        r.Fail(QStringLiteral("faltam \"server\", \"method\" ou \"args\""));
    return req;
}

QByteArray EncodeReply(const TServerReply& reply) {
    QByteArray bytes;
    QCborStreamWriter w(&bytes);
    WriteReply(w, reply);
    return bytes;
}

TWirePieces EncodeReplyPieces(const TServerReply& reply) {
    std::vector<QByteArray> packets;
    if (reply.ok)
        LargePackets(reply.payload, packets);
    return TWirePieces::Write([&reply](QCborStreamWriter& w) { WriteReply(w, reply); },
                              std::move(packets));
}

TServerReply DecodeReply(const QByteArray& bytes, const QString& context) {
    TWireReader r(bytes, context);
    std::optional<bool> ok;
    std::optional<QVariant> payload;
    std::optional<QString> message;
    ReadEnvelope(r, kReply, [&](const QString& key) {
        if (key == u"ok")
            ok = r.Boolean(QStringLiteral("\"ok\""));
        else if (key == u"payload")
            payload = r.Variant();
        else if (key == u"message")
            message = r.Text(QStringLiteral("\"message\""));
        else
            return false;
        return true;
    });
    if (!ok)
        r.Fail(QStringLiteral("falta \"ok\""));
    // A success carries exactly a payload, a failure exactly a message.
    if (*ok && (!payload || message))
        r.Fail(QStringLiteral("sucesso deve trazer \"payload\" e não \"message\""));
    if (!*ok && (!message || payload))
        r.Fail(QStringLiteral("falha deve trazer \"message\" e não \"payload\""));
    return *ok ? TServerReply::Success(std::move(*payload)) : TServerReply::Failure(*message);
}

} // namespace Wire

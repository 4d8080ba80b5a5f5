#pragma once

#include "core/wire/WirePieces.h"

#include <QByteArray>
#include <QString>
#include <QVariant>

// One call to a remote module: the module's server name
// ("ORE00800.rdmFechaOrca"), the method and its arguments in order.
struct TCallRequest {
    QString server;
    QString method;
    QVariantList args;
};

// The outcome of a call: a success with one payload, or a failure with the
// server's message (or the client's, when the call never got an answer).
struct TServerReply {
    bool ok = false;
    QVariant payload;
    QString message;

    static TServerReply Success(QVariant payload) { return {true, std::move(payload), {}}; }
    static TServerReply Failure(QString message) { return {false, {}, std::move(message)}; }
};

// The envelopes' layout is written in docs/protocol.md. Encoding throws
// EWireError for an argument or payload with no wire kind; decoding throws
// EWireError for anything but exactly one well-formed envelope of version 1.
namespace Wire {

constexpr int kProtocolVersion = 1;
// Every call is an HTTP POST of a request envelope to this path, answered
// with a reply envelope; both travel with this content type.
constexpr const char* kCallPath = "/rpc";
constexpr const char* kContentType = "application/cbor";

QByteArray EncodeRequest(const TCallRequest& request);
TCallRequest DecodeRequest(const QByteArray& bytes);

QByteArray EncodeReply(const TServerReply& reply);
// The same bytes, with the payload's large data packets kept as pieces of
// their own instead of copied (TWirePieces).
TWirePieces EncodeReplyPieces(const TServerReply& reply);
// `context` opens the error message ("Resposta inválida do servidor ...").
TServerReply DecodeReply(const QByteArray& bytes,
                         const QString& context = QStringLiteral("Resposta inválida"));

} // namespace Wire

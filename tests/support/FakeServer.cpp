#include "tests/support/FakeServer.h"

#include "core/wire/WireVariant.h"

TFakeServer::TFakeServer() {
    TCallTransport::Install(this);
}

TFakeServer::~TFakeServer() {
    if (TCallTransport::Installed() == this)
        TCallTransport::Install(nullptr);
}

TServerReply TFakeServer::Send(const TNetConnection&, const TCallRequest& request) {
    TCallRequest received;
    try {
        received = Wire::DecodeRequest(Wire::EncodeRequest(request));
    } catch (const EWireError& e) {
        return TServerReply::Failure(e.Message());
    }
    const TCall call{received.server, received.method, received.args};
    m_calls.push_back(call);
    if (OnCall)
        OnCall(call);
    const auto handler = m_handlers.find(received.method);
    const TServerReply reply =
        handler == m_handlers.end()
            ? TServerReply::Failure(
                  QStringLiteral("Método %1 não previsto no teste.").arg(received.method))
            : handler->second(received.args);
    try {
        return Wire::DecodeReply(Wire::EncodeReply(reply));
    } catch (const EWireError& e) {
        return TServerReply::Failure(e.Message());
    }
}

void TFakeServer::On(const QString& method, THandler handler) {
    m_handlers[method] = std::move(handler);
}

void TFakeServer::Reply(const QString& method, const QVariant& payload) {
    On(method, [payload](const QVariantList&) { return TServerReply::Success(payload); });
}

void TFakeServer::Refuse(const QString& method, const QString& message) {
    On(method, [message](const QVariantList&) { return TServerReply::Failure(message); });
}

QStringList TFakeServer::Methods() const {
    QStringList out;
    for (const TCall& c : m_calls)
        out << c.method;
    return out;
}

std::vector<TFakeServer::TCall> TFakeServer::CallsOf(const QString& method) const {
    std::vector<TFakeServer::TCall> out;
    for (const TCall& c : m_calls)
        if (c.method == method)
            out.push_back(c);
    return out;
}

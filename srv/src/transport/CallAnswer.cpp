#include "transport/CallAnswer.h"

#include "core/wire/RpcEnvelope.h"
#include "core/wire/WireVariant.h"

TCallAnswer AnswerCall(const TRemoteModuleRegistry& registry, TCallContext context,
                       const QByteArray& body) {
    TCallRequest request;
    try {
        request = Wire::DecodeRequest(body);
    } catch (const EWireError& e) {
        return {400, Wire::EncodeReply(TServerReply::Failure(e.Message()))};
    }
    const TServerReply reply = registry.Dispatch(context, request);
    try {
        return {200, Wire::EncodeReply(reply)};
    } catch (const EWireError& e) {
        return {200, Wire::EncodeReply(TServerReply::Failure(
                         QStringLiteral("O método %1.%2 devolveu um resultado que não pode ser "
                                        "enviado: %3")
                             .arg(request.server, request.method, e.Message())))};
    }
}

#include "transport/CallAnswer.h"

#include "core/wire/RpcEnvelope.h"
#include "core/wire/WireVariant.h"
#include "session/SessionGate.h"

TCallAnswer AnswerCall(const TRemoteModuleRegistry& registry, TCallContext context,
                       const QByteArray& body, const TSessionGate* gate,
                       std::string_view authorization) {
    TCallRequest request;
    try {
        request = Wire::DecodeRequest(body);
    } catch (const EWireError& e) {
        return {400, Wire::EncodeReply(TServerReply::Failure(e.Message()))};
    }
    if (gate)
        if (const auto refusal = gate->Admit(context, request, authorization))
            return {refusal->first, Wire::EncodeReply(TServerReply::Failure(refusal->second))};
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

#include "transport/CallAnswer.h"

#include "core/wire/RpcEnvelope.h"
#include "core/wire/WireVariant.h"
#include "session/SessionGate.h"

namespace {

TCallAnswer Failure(int status, QString message) {
    return {status, TWirePieces(Wire::EncodeReply(TServerReply::Failure(std::move(message))))};
}

} // namespace

TCallAnswer AnswerCall(const TRemoteModuleRegistry& registry, TCallContext context,
                       const QByteArray& body, const TSessionGate* gate,
                       std::string_view authorization) {
    TCallRequest request;
    try {
        request = Wire::DecodeRequest(body);
    } catch (const EWireError& e) {
        return Failure(400, e.Message());
    }
    if (gate)
        if (const auto refusal = gate->Admit(context, request, authorization))
            return Failure(refusal->first, refusal->second);
    const TServerReply reply = registry.Dispatch(context, request);
    try {
        return {200, Wire::EncodeReplyPieces(reply)};
    } catch (const EWireError& e) {
        return Failure(200, QStringLiteral("O método %1.%2 devolveu um resultado que não pode ser "
                                           "enviado: %3")
                                .arg(request.server, request.method, e.Message()));
    }
}

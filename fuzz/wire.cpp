// The call envelopes and the variants inside them: any bytes either decode or
// are refused with EWireError, and what decoded encodes and decodes again.

#include "core/wire/RpcEnvelope.h"
#include "core/wire/WireVariant.h"
#include "fuzz/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes = Fuzz::Bytes(data, size);
    try {
        const TCallRequest request = Wire::DecodeRequest(bytes);
        const TCallRequest again = Wire::DecodeRequest(Wire::EncodeRequest(request));
        if (again.server != request.server || again.method != request.method ||
            again.args.size() != request.args.size())
            Fuzz::Broken("a request changed on its way through the encoder");
    } catch (const EWireError&) {
    }
    try {
        const TServerReply reply = Wire::DecodeReply(bytes);
        const TServerReply again = Wire::DecodeReply(Wire::EncodeReply(reply));
        if (again.ok != reply.ok || again.message != reply.message)
            Fuzz::Broken("a reply changed on its way through the encoder");
    } catch (const EWireError&) {
    }
    try {
        const QVariant v = Wire::DecodeVariant(bytes);
        const QByteArray once = Wire::EncodeVariant(v);
        if (Wire::EncodeVariant(Wire::DecodeVariant(once)) != once)
            Fuzz::Broken("a variant's encoding is not stable");
    } catch (const EWireError&) {
    }
    return 0;
}

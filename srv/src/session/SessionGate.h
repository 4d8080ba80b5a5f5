#pragma once

#include "core/wire/RpcEnvelope.h"
#include "rpc/CallContext.h"

#include <memory>
#include <optional>
#include <string_view>

class TSessionStore;

// What the transport asks before any method runs: whether the call's
// "Authorization: Bearer <token>" names a live session. Sign-in alone needs
// none.
class TSessionGate {
public:
    explicit TSessionGate(std::shared_ptr<TSessionStore> store);

    // The sentence of a call without a live session.
    static QString RefusalSentence();

    // Admits `request` (filling the context's operator and session key) and
    // returns nothing, or returns the HTTP status and sentence of its refusal:
    // 401 without a live session, 500 when the sessions cannot be read.
    std::optional<std::pair<int, QString>> Admit(TCallContext& context, const TCallRequest& request,
                                                 std::string_view authorization) const;

private:
    std::shared_ptr<TSessionStore> m_store;
};

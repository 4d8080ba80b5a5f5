#pragma once

#include "rpc/CallContext.h"
#include "rpc/RemoteModuleRegistry.h"

#include "core/wire/WirePieces.h"

#include <QByteArray>

#include <string_view>

class TSessionGate;

// What the server answers to one call: an HTTP status and a reply envelope,
// whose large packets are pieces of their own (TWirePieces).
struct TCallAnswer {
    int status = 200;
    TWirePieces body;
};

// Answers the body of one POST of a call, whatever its bytes: 400 with a
// failure envelope when they are not one request envelope, otherwise 200 with
// the module's reply (a failure envelope when the reply cannot be written).
// With a gate, a call it does not admit gets its refusal (401 without a live
// session) before any method runs; `authorization` is the call's header.
// Throws nothing but what encoding a plain failure might (out of memory).
TCallAnswer AnswerCall(const TRemoteModuleRegistry& registry, TCallContext context,
                       const QByteArray& body, const TSessionGate* gate = nullptr,
                       std::string_view authorization = {});

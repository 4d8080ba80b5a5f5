#pragma once

#include "rpc/CallContext.h"
#include "rpc/RemoteModuleRegistry.h"

#include <QByteArray>

// What the server answers to one call: an HTTP status and a reply envelope.
struct TCallAnswer {
    int status = 200;
    QByteArray body;
};

// Answers the body of one POST of a call, whatever its bytes: 400 with a
// failure envelope when they are not one request envelope, otherwise 200 with
// the module's reply (a failure envelope when the reply cannot be written).
// Throws nothing but what encoding a plain failure might (out of memory).
TCallAnswer AnswerCall(const TRemoteModuleRegistry& registry, TCallContext context,
                       const QByteArray& body);

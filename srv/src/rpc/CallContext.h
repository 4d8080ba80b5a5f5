#pragma once

#include "core/data/Exceptions.h"

#include <QString>

// A refusal by a remote module: the message reaches the caller as it stands,
// so it must be a sentence the operator can read (or a catalogue key the
// screen translates).
class ERemoteError : public Exception {
public:
    using Exception::Exception;
};

// A request whose arguments do not fit the method: too many or too few, or
// of the wrong kind.
class EArgumentError : public ERemoteError {
public:
    using ERemoteError::ERemoteError;
};

// What a handler knows about the call it serves.
struct TCallContext {
    QString peerAddress; // the caller's IP address
    int peerPort = 0;
    QString server; // "ORE00800.rdmFechaOrca"
    QString method;
    // The operator of the call's session and its SessionKey; empty when the
    // call runs without one (sign-in, or a server built without sessions).
    QString operador;
    QString sessionKey;
};

#pragma once

#include "core/data/Exceptions.h"
#include "core/wire/RpcEnvelope.h"

#include <QVariant>

// A refusal or failure of the application server, carrying its text exactly.
// Not silent: the host's error handling (Dispatch) shows the text unless a
// caller catches it first to translate it.
class EServerError : public Exception {
public:
    using Exception::Exception;
};

// Judges the reply of a call made with ThrowException off. A success gives
// its payload. A failure throws EServerError with the server's text when
// `abort` is set; otherwise the text is shown in an error box and a null
// QVariant comes back.
// Kept: the third argument, which has no effect; screens call (reply, true, 0).
QVariant CheckResultServ(const TServerReply& reply, bool abort, int = 0);

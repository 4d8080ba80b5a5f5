#pragma once

#include "core/wire/RpcEnvelope.h"

class TNetConnection;

// Carries one call of a connection to the application server and brings its
// reply back. Connections post over HTTP unless a transport is installed:
// screen tests install a recording fake server in its place, so that every
// call still goes through the connection, its argument marshalling and
// CheckResultServ exactly as in the product.
class TCallTransport {
public:
    virtual ~TCallTransport();

    // The reply to `request`, made by `connection`; a failure is a reply
    // with ok false, never an exception.
    virtual TServerReply Send(const TNetConnection& connection, const TCallRequest& request) = 0;

    // The installed transport, or null for HTTP.
    static TCallTransport* Installed();
    // Installs `transport` (not owned); null goes back to HTTP.
    static void Install(TCallTransport* transport);
};

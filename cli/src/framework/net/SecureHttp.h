#pragma once

// The HTTP client of one call as TNetSecurity says, and the sentences of TLS
// failures; used by TNetConnection only (httplib stays out of the
// framework's public headers).

#include <httplib.h>

#include <QString>

#include <memory>

namespace SecureHttp {

// An HTTPS client that verifies the server's certificate and name, or a
// plain one; null with `refusal` set when plain HTTP may not go to `host`.
std::unique_ptr<httplib::ClientImpl> NewClient(const QString& host, int port,
                                               const QString& address, QString& refusal);

// The sentence of a failed call whose error is one of TLS's, or empty.
QString Failure(const httplib::ClientImpl& client, httplib::Error error, const QString& host,
                const QString& address);

} // namespace SecureHttp

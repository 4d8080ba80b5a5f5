#pragma once

// The plain HTTP client of a call; used by SecureHttp only.

#include <httplib.h>

#include <string>

// httplib's client, writing each request through TJoinedWrites so that a
// call's head and body reach the server in one segment.
class TPlainHttpClient final : public httplib::ClientImpl {
public:
    TPlainHttpClient(const std::string& host, int port) : httplib::ClientImpl(host, port) {}

private:
    bool process_socket(const Socket& socket,
                        std::function<bool(httplib::Stream& strm)> callback) override;
};

#pragma once

// The plain HTTP client of a call; used by SecureHttp only.

#include <httplib.h>

#include <string>
#include <vector>

// httplib's client, writing each request through TJoinedWrites so that a
// call's head and body reach the server in one segment, and reading each
// reply through TReadAhead, in reads as large as the socket gives.
class TPlainHttpClient final : public httplib::ClientImpl {
public:
    static constexpr size_t kReadAheadBytes = 256 * 1024;

    TPlainHttpClient(const std::string& host, int port) : httplib::ClientImpl(host, port) {}

private:
    bool process_socket(const Socket& socket,
                        std::function<bool(httplib::Stream& strm)> callback) override;

    // Kept from one request to the next: the client sends one at a time.
    std::vector<char> m_readAhead = std::vector<char>(kReadAheadBytes);
};

#pragma once

// The stream a plain HTTP reply is read from; used by TPlainHttpClient.

#include "framework/net/ForwardingStream.h"

#include <vector>

// httplib reads a reply's body 4 KiB at a time, each read a wait for the
// socket and a recv of its own: a list of tens of megabytes is tens of
// thousands of each. Over this stream a read takes what the socket holds,
// up to the size of `buffer`, and the reads after it are served from there.
// Writes pass through. For one request: what it read beyond its reply (a
// server's stray bytes) goes with it, as httplib's own buffer would.
class TReadAhead final : public TForwardingStream {
public:
    TReadAhead(httplib::Stream& socket, std::vector<char>& buffer)
        : TForwardingStream(socket), m_buffer(buffer) {}

    bool is_readable() const override { return m_begin < m_end || m_socket.is_readable(); }
    ssize_t read(char* ptr, size_t size) override;

private:
    std::vector<char>& m_buffer;
    size_t m_begin = 0; // what is left of the last read: [m_begin, m_end)
    size_t m_end = 0;
};

#pragma once

// The stream a plain HTTP request is written to; used by TPlainHttpClient.

#include "framework/net/ForwardingStream.h"

#include <string>

// httplib writes a request's head and its body apart, and with Nagle's
// algorithm off (which the calls need) each write is a segment of its own
// that wakes the server once more. Over this stream a head that announces a
// body waits for it, and a body of up to kJoinedBodyBytes goes out with it in
// one write; a larger one follows its head as it comes. The body's write is
// the one that sends, so that a request that cannot be written still fails
// as a write, which says that it never ran.
class TJoinedWrites final : public TForwardingStream {
public:
    static constexpr size_t kHeldHeadBytes = 4096;
    static constexpr size_t kJoinedBodyBytes = 64 * 1024;

    explicit TJoinedWrites(httplib::Stream& socket) : TForwardingStream(socket) {}

    // Sends what is held; false when it could not go out whole.
    bool Flush() const;

    ssize_t write(const char* ptr, size_t size) override;
    // A held head whose body never came still goes before the answer is awaited.
    bool is_readable() const override { return Flush() && m_socket.is_readable(); }
    ssize_t read(char* ptr, size_t size) override {
        return Flush() ? m_socket.read(ptr, size) : -1;
    }

private:
    mutable std::string m_held;
    bool m_first = true; // no write has come yet
};

#pragma once

#include <sys/types.h>

#include <chrono>
#include <cstddef>

// The bytes of one accepted connection, in and out, each wait bounded by a
// time point. The plain channel is the socket itself; TTlsChannel carries
// them through TLS. The connection stream keeps the request's bookkeeping
// (deadlines, head size, status) above either.
class TSocketChannel {
public:
    using Clock = std::chrono::steady_clock;
    // What Read and Write return when `until` came first.
    static constexpr ssize_t kTimedOut = -2;

    explicit TSocketChannel(int sock) : m_sock(sock) {}
    virtual ~TSocketChannel() = default;
    TSocketChannel(const TSocketChannel&) = delete;
    TSocketChannel& operator=(const TSocketChannel&) = delete;

    int Socket() const { return m_sock; }

    // Bytes already taken from the socket that a read returns without waiting.
    virtual bool Buffered() const { return false; }
    // Up to `size` bytes: how many, 0 when the peer has closed, -1 on a
    // failure, kTimedOut.
    virtual ssize_t Read(char* ptr, size_t size, Clock::time_point until);
    // All of `size` bytes or a part (plain), or -1, or kTimedOut.
    virtual ssize_t Write(const char* ptr, size_t size, Clock::time_point until);
    // Tells the peer that nothing more comes from this side.
    virtual void EndOutput();

    // Waits for the socket to be ready for `events`; false when `until` came.
    bool WaitFor(short events, Clock::time_point until) const;

private:
    template <class Io> ssize_t TryThenWait(Io io, short events, Clock::time_point until) const;

    int m_sock;
};

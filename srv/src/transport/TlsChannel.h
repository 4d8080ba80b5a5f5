#pragma once

#include "transport/SocketChannel.h"

struct ssl_st;
class TTlsContext;

// A connection's bytes through TLS. The socket is made non-blocking, and
// every wait that OpenSSL asks for (to read or to write, also during the
// handshake) is a poll against the caller's time point.
class TTlsChannel final : public TSocketChannel {
public:
    enum class THandshake { Done, TimedOut, PlainHttp, Failed };

    TTlsChannel(const TTlsContext& context, int sock);
    ~TTlsChannel() override;

    // The TLS handshake; each wait lasts at most `silence`, and all of them
    // end by `deadline`. PlainHttp: the client spoke HTTP without TLS.
    THandshake Handshake(Clock::time_point deadline, std::chrono::milliseconds silence);

    bool Buffered() const override;
    ssize_t Read(char* ptr, size_t size, Clock::time_point until) override;
    ssize_t Write(const char* ptr, size_t size, Clock::time_point until) override;
    void EndOutput() override;

private:
    enum class TNext { Retry, TimedOut, Closed, Failed };
    TNext AfterCall(int rc, Clock::time_point until);

    ssl_st* m_ssl;
    bool m_broken = false; // after a fatal error OpenSSL must not be asked to shut down
    bool m_ended = false;
};

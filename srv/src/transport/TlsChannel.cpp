#include "transport/TlsChannel.h"

#include "transport/TlsContext.h"

#include <openssl/err.h>
#include <openssl/ssl.h>

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>

#include <algorithm>
#include <climits>

TTlsChannel::TTlsChannel(const TTlsContext& context, int sock)
    : TSocketChannel(sock), m_ssl(SSL_new(context.Handle())) {
    const int flags = ::fcntl(sock, F_GETFL);
    ::fcntl(sock, F_SETFL, flags | O_NONBLOCK);
    if (!m_ssl || SSL_set_fd(m_ssl, sock) != 1)
        m_broken = true;
}

TTlsChannel::~TTlsChannel() {
    SSL_free(m_ssl);
}

// What to do after an SSL_ call that returned `rc`: wait as OpenSSL asks
// and try again, or stop.
TTlsChannel::TNext TTlsChannel::AfterCall(int rc, Clock::time_point until) {
    switch (SSL_get_error(m_ssl, rc)) {
    case SSL_ERROR_WANT_READ:
        return WaitFor(POLLIN, until) ? TNext::Retry : TNext::TimedOut;
    case SSL_ERROR_WANT_WRITE:
        return WaitFor(POLLOUT, until) ? TNext::Retry : TNext::TimedOut;
    case SSL_ERROR_ZERO_RETURN:
        return TNext::Closed;
    default:
        m_broken = true;
        return TNext::Failed;
    }
}

TTlsChannel::THandshake TTlsChannel::Handshake(Clock::time_point deadline,
                                               std::chrono::milliseconds silence) {
    if (m_broken)
        return THandshake::Failed;
    for (;;) {
        ERR_clear_error();
        const int rc = SSL_accept(m_ssl);
        if (rc == 1)
            return THandshake::Done;
        switch (AfterCall(rc, std::min(deadline, Clock::now() + silence))) {
        case TNext::Retry:
            continue;
        case TNext::TimedOut:
            return THandshake::TimedOut;
        case TNext::Closed:
        case TNext::Failed: {
            const bool http = ERR_GET_REASON(ERR_peek_error()) == SSL_R_HTTP_REQUEST;
            ERR_clear_error();
            return http ? THandshake::PlainHttp : THandshake::Failed;
        }
        }
    }
}

bool TTlsChannel::Buffered() const {
    return !m_broken && SSL_pending(m_ssl) > 0;
}

ssize_t TTlsChannel::Read(char* ptr, size_t size, Clock::time_point until) {
    if (m_broken)
        return -1;
    for (;;) {
        ERR_clear_error();
        const int n = SSL_read(m_ssl, ptr, int(std::min<size_t>(size, INT_MAX)));
        if (n > 0)
            return n;
        switch (AfterCall(n, until)) {
        case TNext::Retry:
            continue;
        case TNext::TimedOut:
            return kTimedOut;
        case TNext::Closed:
            return 0;
        case TNext::Failed:
            ERR_clear_error();
            return -1;
        }
    }
}

ssize_t TTlsChannel::Write(const char* ptr, size_t size, Clock::time_point until) {
    if (m_broken)
        return -1;
    // Without partial writes, SSL_write takes all or nothing, and is retried
    // with the same bytes after a wait.
    for (size_t sent = 0; sent < size;) {
        ERR_clear_error();
        const int n = SSL_write(m_ssl, ptr + sent, int(std::min<size_t>(size - sent, INT_MAX)));
        if (n > 0) {
            sent += size_t(n);
            continue;
        }
        switch (AfterCall(n, until)) {
        case TNext::Retry:
            continue;
        case TNext::TimedOut:
            return kTimedOut;
        case TNext::Closed:
        case TNext::Failed:
            ERR_clear_error();
            return -1;
        }
    }
    return ssize_t(size);
}

void TTlsChannel::EndOutput() {
    if (!m_ended && !m_broken) {
        // One try, without waiting: the close notice is a courtesy.
        ERR_clear_error();
        SSL_shutdown(m_ssl);
        ERR_clear_error();
    }
    m_ended = true;
    TSocketChannel::EndOutput();
}

#include "transport/SocketChannel.h"

#include <poll.h>
#include <sys/socket.h>

#include <algorithm>
#include <cerrno>

bool TSocketChannel::WaitFor(short events, Clock::time_point until) const {
    pollfd fd{m_sock, events, 0};
    for (;;) {
        const auto left =
            std::chrono::ceil<std::chrono::milliseconds>(until - Clock::now()).count();
        const int rc = ::poll(&fd, 1, int(std::clamp<long long>(left, 0, 1 << 30)));
        if (rc > 0)
            return true; // ready, or an error that the next read or write reports
        if (rc == 0 || errno != EINTR)
            return false;
    }
}

// Reads and writes try first and wait only when the socket is not ready: a
// request's bytes have mostly arrived by the time they are read, and a
// reply's fit the socket's buffer. `io` is one non-blocking recv or send.
template <class Io>
ssize_t TSocketChannel::TryThenWait(Io io, short events, Clock::time_point until) const {
    for (;;) {
        const ssize_t n = io();
        if (n >= 0)
            return n;
        if (errno == EINTR)
            continue;
        if (errno != EAGAIN && errno != EWOULDBLOCK)
            return n;
        if (!WaitFor(events, until))
            return kTimedOut;
    }
}

ssize_t TSocketChannel::Read(char* ptr, size_t size, Clock::time_point until) {
    return TryThenWait([&] { return ::recv(m_sock, ptr, size, MSG_DONTWAIT); }, POLLIN, until);
}

ssize_t TSocketChannel::Write(const char* ptr, size_t size, Clock::time_point until) {
    return TryThenWait([&] { return ::send(m_sock, ptr, size, MSG_DONTWAIT | MSG_NOSIGNAL); },
                       POLLOUT, until);
}

void TSocketChannel::EndOutput() {
    ::shutdown(m_sock, SHUT_WR);
}

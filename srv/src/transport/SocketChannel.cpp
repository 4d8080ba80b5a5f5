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

ssize_t TSocketChannel::Read(char* ptr, size_t size, Clock::time_point until) {
    if (!WaitFor(POLLIN, until))
        return kTimedOut;
    ssize_t n;
    do
        n = ::recv(m_sock, ptr, size, 0);
    while (n < 0 && errno == EINTR);
    return n;
}

ssize_t TSocketChannel::Write(const char* ptr, size_t size, Clock::time_point until) {
    if (!WaitFor(POLLOUT, until))
        return kTimedOut;
    ssize_t n;
    do
        n = ::send(m_sock, ptr, size, MSG_NOSIGNAL);
    while (n < 0 && errno == EINTR);
    return n;
}

void TSocketChannel::EndOutput() {
    ::shutdown(m_sock, SHUT_WR);
}

#include "transport/ConnectionStream.h"

#include "core/wire/WriteWhole.h"

#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>

namespace {

using Clock = TConnectionStream::Clock;

thread_local const TConnectionStream* t_current = nullptr;
thread_local Clock::time_point t_accepted{};

void Endpoint(const sockaddr_storage& addr, socklen_t len, std::string& ip, int& port) {
    char host[NI_MAXHOST];
    char service[NI_MAXSERV];
    if (::getnameinfo(reinterpret_cast<const sockaddr*>(&addr), len, host, sizeof host, service,
                      sizeof service, NI_NUMERICHOST | NI_NUMERICSERV) == 0) {
        ip = host;
        port = std::atoi(service);
    }
}

} // namespace

TConnectionStream::TConnectionStream(TSocketChannel& channel, const TLimits& limits)
    : m_channel(channel), m_limits(limits) {}

TConnectionStream::~TConnectionStream() {
    Flush();
}

const TConnectionStream* TConnectionStream::Current() {
    return t_current;
}

void TConnectionStream::NextRequest(Clock::time_point requestDeadline) {
    m_limits.requestDeadline = requestDeadline;
    m_stop = TStop::None;
    m_replyDeadline = {};
    m_status = 0;
    m_headBytes = 0;
    m_headMatched = 0;
    m_headDone = false;
}

bool TConnectionStream::is_readable() const {
    if (m_begin < m_end || m_channel.Buffered())
        return true;
    if (m_stop != TStop::None)
        return false;
    const Clock::time_point until =
        std::min(m_limits.requestDeadline, Clock::now() + m_limits.readTimeout);
    if (m_channel.WaitFor(POLLIN, until))
        return true;
    m_stop = TStop::TimedOut;
    return false;
}

bool TConnectionStream::is_writable() const {
    const Clock::time_point until = m_replyDeadline == Clock::time_point{}
                                        ? Clock::now() + m_limits.writeTimeout
                                        : m_replyDeadline;
    return m_channel.WaitFor(POLLOUT, until);
}

ssize_t TConnectionStream::read(char* ptr, size_t size) {
    if (m_begin == m_end) {
        if (m_stop != TStop::None)
            return -1;
        // Readable bytes on a TLS socket may not finish a record: the wait
        // for the rest keeps to the same bounds.
        const ssize_t n =
            m_channel.Read(m_buffer, sizeof m_buffer,
                           std::min(m_limits.requestDeadline, Clock::now() + m_limits.readTimeout));
        if (n == TSocketChannel::kTimedOut) {
            m_stop = TStop::TimedOut;
            return -1;
        }
        if (n <= 0)
            return n;
        m_begin = 0;
        m_end = size_t(n);
        m_bytesRead += size_t(n);
    }
    const size_t n = std::min(size, m_end - m_begin);
    ScanHead(m_buffer + m_begin, n);
    if (m_stop == TStop::HeadTooLarge)
        return -1;
    std::memcpy(ptr, m_buffer + m_begin, n);
    m_begin += n;
    return ssize_t(n);
}

// Counts the bytes of the request line and headers, up to the blank line
// that ends them; httplib bounds each line but not how many there are.
void TConnectionStream::ScanHead(const char* data, size_t n) {
    static constexpr char kEnd[] = "\r\n\r\n";
    for (size_t i = 0; i < n && !m_headDone; ++i) {
        ++m_headBytes;
        if (data[i] == kEnd[m_headMatched])
            ++m_headMatched;
        else
            m_headMatched = data[i] == '\r' ? 1 : 0;
        m_headDone = m_headMatched == 4;
    }
    if (!m_headDone && m_headBytes > m_limits.maxHeadBytes)
        m_stop = TStop::HeadTooLarge;
}

ssize_t TConnectionStream::write(const char* ptr, size_t size) {
    if (m_replyDeadline == Clock::time_point{}) {
        m_replyDeadline = Clock::now() + m_limits.writeTimeout;
        // The status line comes first, with the rest of the head, in one
        // write; it waits for the body, so that a small reply leaves in one
        // piece instead of waking the client twice.
        if (size > 12 && std::memcmp(ptr, "HTTP/1.1 ", 9) == 0) {
            m_status = std::atoi(std::string(ptr + 9, 3).c_str());
            if (size <= kHeldHeadBytes) {
                m_held.assign(ptr, size);
                return ssize_t(size);
            }
        }
    }
    if (!m_held.empty()) {
        if (size <= kJoinedBodyBytes) {
            m_held.append(ptr, size);
            return Flush() ? ssize_t(size) : -1;
        }
        if (!Flush())
            return -1;
    }
    const ssize_t n = m_channel.Write(ptr, size, m_replyDeadline);
    return n == TSocketChannel::kTimedOut ? -1 : n;
}

bool TConnectionStream::Flush() {
    // The buffer stays for the next reply of the connection.
    const bool sentAll = WriteWhole(m_held, [this](const char* data, size_t size) {
        return m_channel.Write(data, size, m_replyDeadline);
    });
    m_held.clear();
    return sentAll;
}

void TConnectionStream::Linger(std::chrono::milliseconds bound) {
    Flush();
    // A client that has sent everything waits for the reply: nothing to drain.
    if (!m_channel.Buffered() && !m_channel.WaitFor(POLLIN, Clock::now()))
        return;
    m_channel.EndOutput();
    // What still comes is dropped unread, TLS records or not.
    const Clock::time_point until = Clock::now() + bound;
    char sink[16384];
    while (m_channel.WaitFor(POLLIN, until)) {
        ssize_t n;
        do
            n = ::recv(m_channel.Socket(), sink, sizeof sink, 0);
        while (n < 0 && errno == EINTR);
        if (n <= 0)
            return;
    }
}

// Asked for every request; a kept connection's ends do not move.
void TConnectionStream::get_remote_ip_and_port(std::string& ip, int& port) const {
    m_remote.Get(socket(), ::getpeername, ip, port);
}

void TConnectionStream::get_local_ip_and_port(std::string& ip, int& port) const {
    m_local.Get(socket(), ::getsockname, ip, port);
}

void TConnectionStream::TEndpoint::Get(int sock, int (*ask)(int, sockaddr*, socklen_t*),
                                       std::string& ipOut, int& portOut) {
    if (!known) {
        sockaddr_storage addr{};
        socklen_t len = sizeof addr;
        if (ask(sock, reinterpret_cast<sockaddr*>(&addr), &len) == 0)
            Endpoint(addr, len, ip, port);
        known = true;
    }
    ipOut = ip;
    portOut = port;
}

TCurrentConnection::TCurrentConnection(const TConnectionStream& stream) {
    t_current = &stream;
}

TCurrentConnection::~TCurrentConnection() {
    t_current = nullptr;
}

TAcceptQueue::TAcceptQueue(std::size_t threads) {
    for (std::size_t i = 0; i < threads; ++i)
        m_threads.emplace_back([this] { Work(); });
}

TAcceptQueue::~TAcceptQueue() {
    shutdown();
}

void TAcceptQueue::enqueue(std::function<void()> fn) {
    {
        std::lock_guard lock(m_mutex);
        m_jobs.push_back({std::move(fn), Clock::now()});
    }
    m_ready.notify_one();
}

void TAcceptQueue::shutdown() {
    {
        std::lock_guard lock(m_mutex);
        m_shutdown = true;
    }
    m_ready.notify_all();
    for (std::thread& t : m_threads)
        if (t.joinable())
            t.join();
}

bool TAcceptQueue::Waiting() {
    std::lock_guard lock(m_mutex);
    return !m_jobs.empty();
}

Clock::time_point TAcceptQueue::AcceptedAt() {
    return t_accepted;
}

void TAcceptQueue::Work() {
    for (;;) {
        TJob job;
        {
            std::unique_lock lock(m_mutex);
            m_ready.wait(lock, [&] { return m_shutdown || !m_jobs.empty(); });
            // Connections already accepted are still served while stopping.
            if (m_jobs.empty())
                return;
            job = std::move(m_jobs.front());
            m_jobs.pop_front();
        }
        t_accepted = job.accepted;
        job.fn();
    }
}

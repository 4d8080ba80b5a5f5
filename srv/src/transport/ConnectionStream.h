#pragma once

#include "transport/SocketChannel.h"

#include <httplib.h>
#include <sys/socket.h>

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// One accepted connection as httplib reads its request and writes its
// reply, over a plain or a TLS channel, with bounds that httplib's own stream lacks: the whole
// request (line, headers and body) must arrive by a deadline, however slowly
// it trickles in; the request line and headers together may take at most
// maxHeadBytes; and the whole reply must be written within writeTimeout.
class TConnectionStream final : public httplib::Stream {
public:
    using Clock = TSocketChannel::Clock;

    struct TLimits {
        Clock::time_point requestDeadline;
        std::chrono::milliseconds readTimeout; // silence allowed between two reads
        std::chrono::milliseconds writeTimeout;
        std::size_t maxHeadBytes;
    };
    // TimedOut: the deadline passed, or the client fell silent for readTimeout.
    enum class TStop { None, TimedOut, HeadTooLarge };

    TConnectionStream(TSocketChannel& channel, const TLimits& limits);
    ~TConnectionStream() override; // flushes

    bool is_readable() const override;
    bool is_writable() const override;
    ssize_t read(char* ptr, size_t size) override;
    ssize_t write(const char* ptr, size_t size) override;
    void get_remote_ip_and_port(std::string& ip, int& port) const override;
    void get_local_ip_and_port(std::string& ip, int& port) const override;
    int socket() const override { return m_channel.Socket(); }

    // Starts the next request of a kept connection: its own deadline and
    // head bound; bytes already read ahead stay for it.
    void NextRequest(Clock::time_point requestDeadline);
    // Sends what write() still holds (a reply's head waiting for its body);
    // false when it could not go out. Each reply is flushed before the
    // connection waits for the next request.
    bool Flush();
    // Bytes of a further request already arrived.
    bool Pending() const { return m_begin < m_end || m_channel.Buffered(); }

    // Why reading stopped early, if a bound stopped it.
    TStop Stopped() const { return m_stop; }
    // Whether any of a reply went out, and its status.
    bool Wrote() const { return m_replyDeadline != Clock::time_point{}; }
    int Status() const { return m_status; }
    std::size_t BytesRead() const { return m_bytesRead; }

    // When the client is still sending, ends the reply and reads what comes,
    // for at most `bound`, so that a client refused before it finished
    // sending reads the refusal instead of a reset connection.
    void Linger(std::chrono::milliseconds bound);

    // The stream of the request this thread is serving, or null.
    static const TConnectionStream* Current();

private:
    // A reply's head up to this size waits for its body, and a body up to
    // kJoinedBodyBytes goes out with it in one write.
    static constexpr size_t kHeldHeadBytes = 4096;
    static constexpr size_t kJoinedBodyBytes = 64 * 1024;
    // One end of the connection, asked of the system once.
    struct TEndpoint {
        bool known = false;
        std::string ip;
        int port = 0;
        void Get(int sock, int (*ask)(int, sockaddr*, socklen_t*), std::string& ipOut,
                 int& portOut);
    };

    void ScanHead(const char* data, size_t n);

    TSocketChannel& m_channel;
    TLimits m_limits;
    mutable TStop m_stop = TStop::None;
    Clock::time_point m_replyDeadline{};
    char m_buffer[4096];
    size_t m_begin = 0;
    size_t m_end = 0;
    std::size_t m_bytesRead = 0;
    int m_status = 0;
    std::size_t m_headBytes = 0;
    int m_headMatched = 0; // characters of "\r\n\r\n" seen so far
    bool m_headDone = false;
    std::string m_held; // written, not sent yet
    mutable TEndpoint m_remote;
    mutable TEndpoint m_local;

    friend class TCurrentConnection;
};

// Marks `stream` as this thread's current one for as long as it lives.
class TCurrentConnection {
public:
    explicit TCurrentConnection(const TConnectionStream& stream);
    ~TCurrentConnection();
    TCurrentConnection(const TCurrentConnection&) = delete;
    TCurrentConnection& operator=(const TCurrentConnection&) = delete;
};

// httplib's pool of threads, which also tells each connection when it was
// accepted: the time a connection waits in the queue counts against its
// deadlines, so that a burst of silent connections is dropped in one idle
// timeout instead of one idle timeout per thread's turn.
class TAcceptQueue final : public httplib::TaskQueue {
public:
    explicit TAcceptQueue(std::size_t threads);
    ~TAcceptQueue() override;

    void enqueue(std::function<void()> fn) override;
    void shutdown() override;

    // Whether accepted connections wait for a thread.
    bool Waiting();

    // When the connection served on this thread was accepted.
    static TConnectionStream::Clock::time_point AcceptedAt();

private:
    struct TJob {
        std::function<void()> fn;
        TConnectionStream::Clock::time_point accepted;
    };
    void Work();

    std::vector<std::thread> m_threads;
    std::deque<TJob> m_jobs;
    std::mutex m_mutex;
    std::condition_variable m_ready;
    bool m_shutdown = false;
};

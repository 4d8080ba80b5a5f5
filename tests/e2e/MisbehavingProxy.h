#pragma once

// Stands between the screens and the real application server and, on cue,
// misbehaves at one method: answers garbage, never answers, or has the
// server die under the call. Every other call goes through unchanged.

#include "core/wire/RpcEnvelope.h"
#include "tests/support/RawSocket.h"

#include <QString>

#include <httplib.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

class TMisbehavingProxy {
public:
    enum class TAct { Forward, Garbage, Hang, Die };

    // Forwards to the server on `target`; `kill` makes it die.
    TMisbehavingProxy(int target, std::function<void()> kill)
        : m_target(target), m_kill(std::move(kill)) {
        m_listener = RawSocket::Listen(16, &m_port);
        m_thread = std::thread([this] { Run(); });
    }
    ~TMisbehavingProxy() {
        m_stop = true;
        m_thread.join();
        ::close(m_listener);
    }

    int Port() const { return m_port; }
    // From now on, misbehave as `act` at every call of `method`.
    void On(const QString& method, TAct act) {
        std::lock_guard lock(m_mutex);
        m_method = method;
        m_act = act;
    }

private:
    static constexpr auto kBound = std::chrono::seconds(20);

    bool Wait(int s) const {
        pollfd fd{s, POLLIN, 0};
        for (auto end = std::chrono::steady_clock::now() + kBound;
             !m_stop && std::chrono::steady_clock::now() < end;)
            if (::poll(&fd, 1, 50) > 0)
                return true;
        return false;
    }
    void Run() {
        while (!m_stop)
            if (pollfd fd{m_listener, POLLIN, 0}; ::poll(&fd, 1, 50) > 0) {
                const int s = ::accept(m_listener, nullptr, nullptr);
                Serve(s);
                ::close(s);
            }
    }
    // Reads one request whole (the client's requests always state their length).
    // `authorization` gets the session header, which is forwarded with it.
    static bool ReadRequest(int s, std::string& body, std::string& authorization,
                            const TMisbehavingProxy& self) {
        std::string got;
        char buf[4096];
        size_t head = std::string::npos, length = 0;
        while (head == std::string::npos || got.size() < head + 4 + length) {
            if (!self.Wait(s))
                return false;
            const ssize_t n = ::recv(s, buf, sizeof buf, 0);
            if (n <= 0)
                return false;
            got.append(buf, size_t(n));
            if (head == std::string::npos && (head = got.find("\r\n\r\n")) != std::string::npos) {
                const auto at = got.find("Content-Length: ");
                length = at < head ? std::stoul(got.substr(at + 16)) : 0;
            }
        }
        body = got.substr(head + 4);
        if (const auto at = got.find("Authorization: "); at < head)
            authorization = got.substr(at + 15, got.find("\r\n", at) - at - 15);
        return true;
    }
    static void Answer(int s, int status, const std::string& body) {
        const std::string out = "HTTP/1.1 " + std::to_string(status) +
                                " X\r\nContent-Type: application/cbor\r\nContent-Length: " +
                                std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" +
                                body;
        ::send(s, out.data(), out.size(), MSG_NOSIGNAL);
    }
    void Serve(int s) {
        std::string body, authorization;
        if (!ReadRequest(s, body, authorization, *this))
            return;
        TAct act = TAct::Forward;
        try {
            const QString method = Wire::DecodeRequest(QByteArray::fromStdString(body)).method;
            std::lock_guard lock(m_mutex);
            if (method == m_method)
                act = m_act;
        } catch (const std::exception&) { // not a call: forwarded as it came
        }
        switch (act) {
        case TAct::Garbage:
            return Answer(s, 200, "<html><body>502 Bad Gateway</body></html>");
        case TAct::Hang: { // until the client gives up
            char c;
            while (Wait(s) && ::recv(s, &c, 1, 0) > 0) {
            }
            return;
        }
        case TAct::Die:
            m_kill();
            [[fallthrough]];
        case TAct::Forward:
            break;
        }
        httplib::Client server("127.0.0.1", m_target);
        server.set_read_timeout(kBound);
        httplib::Headers headers;
        if (!authorization.empty())
            headers.emplace("Authorization", authorization);
        if (const auto res = server.Post("/rpc", headers, body, Wire::kContentType))
            Answer(s, res->status, res->body);
        // A server that is gone leaves the client's connection dropped.
    }

    int m_target;
    std::function<void()> m_kill;
    int m_listener = -1;
    int m_port = 0;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
    std::mutex m_mutex;
    QString m_method;
    TAct m_act = TAct::Forward;
};

#pragma once

// The stream a plain HTTP request is written to; used by TPlainHttpClient.

#include <httplib.h>

#include <string>

// httplib writes a request's head and its body apart, and with Nagle's
// algorithm off (which the calls need) each write is a segment of its own
// that wakes the server once more. Over this stream a head that announces a
// body waits for it, and a body of up to kJoinedBodyBytes goes out with it in
// one write; a larger one follows its head as it comes. The body's write is
// the one that sends, so that a request that cannot be written still fails
// as a write, which says that it never ran.
class TJoinedWrites final : public httplib::Stream {
public:
    static constexpr size_t kHeldHeadBytes = 4096;
    static constexpr size_t kJoinedBodyBytes = 64 * 1024;

    explicit TJoinedWrites(httplib::Stream& socket) : m_socket(socket) {}

    // Sends what is held; false when it could not go out whole.
    bool Flush() const;

    ssize_t write(const char* ptr, size_t size) override;
    // A held head whose body never came still goes before the answer is awaited.
    bool is_readable() const override { return Flush() && m_socket.is_readable(); }
    ssize_t read(char* ptr, size_t size) override {
        return Flush() ? m_socket.read(ptr, size) : -1;
    }
    bool is_writable() const override { return m_socket.is_writable(); }
    void get_remote_ip_and_port(std::string& ip, int& port) const override {
        m_socket.get_remote_ip_and_port(ip, port);
    }
    void get_local_ip_and_port(std::string& ip, int& port) const override {
        m_socket.get_local_ip_and_port(ip, port);
    }
    socket_t socket() const override { return m_socket.socket(); }

private:
    httplib::Stream& m_socket;
    mutable std::string m_held;
    bool m_first = true; // no write has come yet
};

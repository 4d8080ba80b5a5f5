#pragma once

// The stream a plain HTTP reply is read from; used by TPlainHttpClient.

#include <httplib.h>

#include <string>
#include <vector>

// httplib reads a reply's body 4 KiB at a time, each read a wait for the
// socket and a recv of its own: a list of tens of megabytes is tens of
// thousands of each. Over this stream a read takes what the socket holds,
// up to the size of `buffer`, and the reads after it are served from there.
// Writes pass through. For one request: what it read beyond its reply (a
// server's stray bytes) goes with it, as httplib's own buffer would.
class TReadAhead final : public httplib::Stream {
public:
    TReadAhead(httplib::Stream& socket, std::vector<char>& buffer)
        : m_socket(socket), m_buffer(buffer) {}

    bool is_readable() const override { return m_begin < m_end || m_socket.is_readable(); }
    ssize_t read(char* ptr, size_t size) override;
    bool is_writable() const override { return m_socket.is_writable(); }
    ssize_t write(const char* ptr, size_t size) override { return m_socket.write(ptr, size); }
    void get_remote_ip_and_port(std::string& ip, int& port) const override {
        m_socket.get_remote_ip_and_port(ip, port);
    }
    void get_local_ip_and_port(std::string& ip, int& port) const override {
        m_socket.get_local_ip_and_port(ip, port);
    }
    socket_t socket() const override { return m_socket.socket(); }

private:
    httplib::Stream& m_socket;
    std::vector<char>& m_buffer;
    size_t m_begin = 0; // what is left of the last read: [m_begin, m_end)
    size_t m_end = 0;
};

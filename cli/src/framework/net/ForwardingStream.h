#pragma once

#include <httplib.h>

#include <string>

// A stream that passes everything to `socket`: the base of the streams that
// change how a request is written or its reply read.
class TForwardingStream : public httplib::Stream {
public:
    explicit TForwardingStream(httplib::Stream& socket) : m_socket(socket) {}

    bool is_readable() const override { return m_socket.is_readable(); }
    bool is_writable() const override { return m_socket.is_writable(); }
    ssize_t read(char* ptr, size_t size) override { return m_socket.read(ptr, size); }
    ssize_t write(const char* ptr, size_t size) override { return m_socket.write(ptr, size); }
    void get_remote_ip_and_port(std::string& ip, int& port) const override {
        m_socket.get_remote_ip_and_port(ip, port);
    }
    void get_local_ip_and_port(std::string& ip, int& port) const override {
        m_socket.get_local_ip_and_port(ip, port);
    }
    socket_t socket() const override { return m_socket.socket(); }

protected:
    httplib::Stream& m_socket;
};
